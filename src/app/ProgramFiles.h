#pragma once
#include <QString>
#include <string>

// The folders the running program takes its own files from: beside the program when they are there (a build
// folder, a program unpacked into one folder), otherwise the installed data folder beside the program's folder.

// The folder of the board's default sounds (horn.wav, buzzer.wav), in the platform's own form.
std::string soundFolder();

// The folder of the help file.
QString helpFolder();
