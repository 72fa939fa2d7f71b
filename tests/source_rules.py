#!/usr/bin/env python3
"""Keeps each rule in its one home: fails when a known rule is written again
outside the file that holds it, and when a quoted include climbs with "../"
(the layer wall: a layer sees only the layers its include path names).

Comments are blanked before the search (string literals are kept: a month
list is made of them), so a rule named in a comment is no copy of it.

    python3 tests/source_rules.py SRC_DIR
"""
import os
import re
import sys

# (what, pattern, its home (the files under src/ that may hold it), what to use instead)
RULES = [
    ("UTF-8 bit arithmetic",
     re.compile(r"0x[CcEeFf]0u?\s*\|(?!\|)|0x80u?\s*\|(?!\|)|&\s*0x3[Ff]\b|&\s*0x[Cc]0u?\s*\)\s*[!=]=\s*0x80"),
     {"core/common/cp1252.cpp"},
     "use cp1252::append_code_point, append_utf8 or next_code_point (common/cp1252.h)"),
    ("a days-per-month table",
     re.compile(r"\b31\s*,\s*2[89]\s*,\s*31\b|\b30\s*,\s*31\s*,\s*31\s*,\s*30\b"),
     {"core/store/date_parse.cpp"},
     "use DaysInMonth and IsLeapYear (store/date_parse.h)"),
    ("a list of month names",
     re.compile(r'(?i)"jan(uary)?"\s*,\s*"feb|"jan(uary)?"\s*,\s*1\s*\}'),
     {"core/store/date_words.cpp"},
     "use MonthAbbrev, FullMonthName or MonthOfWord (store/date_words.h); GEDCOM's are MonthAbbrev in capitals"),
    ("the marriage table indexed directly",
     re.compile(r"\bMarriages\s*\["),
     {"core/store/session.h"},
     "use Session::family(m) (store/session.h), the one range-checked way to a family"),
    ("a Person record's place in a whole file",
     re.compile(r"\bdata\(\)\s*\+[^;]*\bkPersonLen\b|-\s*1\s*\)\s*\*\s*kPersonLen\b"),
     {"core/store/record_layout.h", "core/store/record_layout.cpp"},
     "use person_bytes(file, n) (store/record_layout.h)"),
    ("a record field at a number instead of its name",
     re.compile(r"\b(read_i16|read_i32|get16|set16)\s*\([^;()]*(\([^;()]*\)[^;()]*)*[+,(]\s*\d{2,}\s*\)"
                r"|\bnamespace\s+(person_at|width)\b"),
     {"core/store/record_layout.h", "core/store/record_layout.cpp"},
     "name it with person_at:: and width:: (store/record_layout.h)"),
    ("the family-name-in-capitals rule",
     re.compile(r"UCaseFamname\s*\?|if\s*\(\s*\w+\.UCaseFamname\s*\)\s*[^;]*upper"),
     {"core/store/records.cpp"},
     "use display_famname (store/records.h)"),
    ("deleted persons counted",
     re.compile(r"person_at::Deleted[^;]*\)\s*!=\s*0\s*\)\s*\+\+"),
     {"core/store/records.cpp"},
     "use CountDeletedIn (store/records.h)"),
]

CLIMBING_INCLUDE = re.compile(r'^\s*#\s*include\s*"[^"]*\.\./')


def blank_comments(text):
    """The text with every comment turned into blanks, line breaks kept."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c == 'R' and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            k = text.find("(", i)
            end = text.find(")" + text[i + 2:k] + '"', k) if k >= 0 else -1
            j = n if end < 0 else end + len(text[i + 2:k]) + 2
            out.append(text[i:j])
            i = j
        elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isalnum())):
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(text[i:j + 1])
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def check(src):
    faults = []
    for root, dirs, files in os.walk(src):
        dirs.sort()
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(root, name)
            rel = os.path.relpath(path, src).replace(os.sep, "/")
            with open(path, encoding="latin-1") as f:
                lines = blank_comments(f.read()).split("\n")
            for no, line in enumerate(lines, 1):
                if CLIMBING_INCLUDE.search(line):
                    faults.append(f"src/{rel}:{no}: a quoted include climbs with \"../\": name the file from "
                                  f"its layer (\"store/records.h\"); a layer sees only what its include path holds")
                for what, pattern, home, lives in RULES:
                    if rel not in home and pattern.search(line):
                        faults.append(f"src/{rel}:{no}: {what} outside its home "
                                      f"({', '.join('src/' + h for h in sorted(home))}): {lives}")
    return faults


def main():
    if len(sys.argv) != 2 or not os.path.isdir(sys.argv[1]):
        print("usage: source_rules.py SRC_DIR", file=sys.stderr)
        return 2
    faults = check(sys.argv[1])
    for f in faults:
        print(f)
    print(f"{len(faults)} rule breaks in {sys.argv[1]}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
