#!/usr/bin/env bash
# Two games, each ended and the next one started, give two complete reports: make_report writes two sample
# records as the console writes them (60 minutes, about 40 events, games 1 and 2 on different dates), the second
# with texts a spreadsheet would run; each report's PDF and CSV are made. The PDFs name their game, the CSVs
# parse into rows as wide as their section's heading, no cell is left for a spreadsheet to run, and every
# penalty has the start and end the rules counted (a game misconduct: no end).
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"
command -v pdftotext >/dev/null || fail "pdftotext missing (tools/dev.sh installs poppler-utils)"
make_report="$RINKMASTER_BUILD_DIR/tools/make_report"
[ -x "$make_report" ] || fail "no make_report in the build"

games="$E2E_TMP/games"
reports="$E2E_TMP/reports"
mkdir -p "$games" "$reports"
"$make_report" --sample "$games/first.rinkrecord" --game 1 --date 2026-12-05 || fail "the first sample failed"
"$make_report" --sample "$games/second.rinkrecord" --game 2 --date 2026-12-07 || fail "the second sample failed"
# The second game's official renames the competition and gives two misconducts late in the game.
cat >>"$games/second.rinkrecord" <<'LINES'
{"seq":901,"type":"header","format":"rinkmaster-record","version":1,"date":"2026-12-07","venue":"-Rink 2-","game":"2","competition":"+Cup, Round 8","home":"Lakeside Lakers","visitor":"Hillcrest Hawks","referees":["Anna Berger"],"linesmen":["Luc Martin"],"scorekeeper":"Paul Weber","periodLength":12000000}
{"seq":902,"type":"penalty","period":3,"remaining":3000000,"team":"visitor","player":2,"infraction":"=SUM(A1:A9)","kind":"misconduct"}
{"seq":903,"type":"penalty","period":3,"remaining":2400000,"team":"home","player":11,"infraction":"@Abuse of officials","kind":"misconduct"}
LINES
"$make_report" --out "$reports" "$games/first.rinkrecord" "$games/second.rinkrecord" >"$E2E_TMP/made.txt" \
  2>"$E2E_TMP/made.err" || fail "make_report failed: $(cat "$E2E_TMP/made.err")"
cat "$E2E_TMP/made.txt"
[ ! -s "$E2E_TMP/made.err" ] || fail "make_report refused lines: $(cat "$E2E_TMP/made.err")"
for stem in 2026-12-05-game-1 2026-12-07-game-2; do
  [ -s "$reports/$stem.pdf" ] && [ -s "$reports/$stem.csv" ] || fail "no report $stem: $(ls "$reports")"
  pdftotext -layout "$reports/$stem.pdf" "$E2E_TMP/$stem.txt"
  for word in "Lakeside Lakers" "Hillcrest Hawks" "Tripping" "High-sticking" "Game misconduct" "P3 19:48" \
    "Paul Weber"; do
    grep -qF -- "$word" "$E2E_TMP/$stem.txt" || fail "$stem.pdf does not show '$word'"
  done
done
grep -qF -- "=SUM(A1:A9)" "$E2E_TMP/2026-12-07-game-2.txt" || fail "the PDF does not show the infraction as written"

python3 - "$reports/2026-12-05-game-1.csv" "$reports/2026-12-07-game-2.csv" <<'PY' || fail "a CSV is not whole"
import csv, re, sys
for path in sys.argv[1:]:
    with open(path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    sections, current = [], []
    for row in rows:
        if row:
            current.append(row)
        elif current:
            sections.append(current)
            current = []
    if current:
        sections.append(current)
    titles = [s[0][0] for s in sections]
    assert titles == ["Game report", "Goals", "Penalties", "Penalty minutes", "Goalkeepers", "Shots on goal",
                      "Timeouts", "Officials"], (path, titles)
    for s in sections[1:]:
        width = len(s[1])
        assert all(len(r) == width for r in s[1:]), (path, s[0], [len(r) for r in s])
    for r in rows:
        for cell in r:
            if cell[:1] in ("=", "+", "-", "@", "\t", "\r") and not re.fullmatch(r"[-+]?[0-9]+(\.[0-9]+)?", cell):
                raise AssertionError(f"{path}: a cell a spreadsheet would run: {cell!r}")
    goals = sections[1][2:]
    assert len(goals) == 10 and goals[-1][-1] == "7-3", (path, goals)
    head, penalties = sections[2][1], sections[2][2:]
    start, end, kind = head.index("Start"), head.index("End"), head.index("Kind")
    running = ("'=SUM(A1:A9)", "'@Abuse of officials")  # the second game's late misconducts outlast it
    for p in penalties:
        assert p[start], (path, "no start", p)
        ends = p[kind] not in ("game misconduct", "match") and p[head.index("Infraction")] not in running
        assert bool(p[end]) == ends, (path, "end", p)
    by = {(p[head.index("Infraction")], p[kind]): (p[start], p[end]) for p in penalties}
    assert by[("Tripping", "minor")] == ("P1 7:20", "P1 8:55"), by
    assert by[("High-sticking", "double minor")] == ("P2 17:40", "P3 1:16"), by
    assert by[("Boarding", "misconduct")] == ("P2 9:57", "P2 19:57"), by
    assert by[("Fighting", "game misconduct")] == ("P3 7:00", ""), by
    assert by[("Slashing", "minor")] == ("P3 19:40", "P3 19:48"), by
    if path.endswith("game-2.csv"):
        assert by[("'=SUM(A1:A9)", "misconduct")] == ("P3 15:00", ""), by  # still running at the end
        assert rows[2] == ["Venue", "'-Rink 2-"] and rows[4] == ["Competition", "'+Cup, Round 8"], rows[:5]
        assert by[("'@Abuse of officials", "misconduct")] == ("P3 16:00", ""), by
PY
echo "two games, two complete reports"
