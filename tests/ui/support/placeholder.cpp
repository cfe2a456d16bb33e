// Keeps the support library non-empty while it has no sources of its own.
namespace rinkmaster_testsupport_anchor { int placeholder = 0; }
