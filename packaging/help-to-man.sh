#!/usr/bin/env bash
# Writes mirva-cli's manual page, gzipped as Debian keeps it, from what `mirva-cli --help`
# prints: the usage lines make the synopsis, each command (two blanks in, its description at
# the 20th column or on the lines below) an entry, and the paragraphs after them the notes.
# Usage: help-to-man.sh MIRVA_CLI VERSION OUT.1.gz
set -euo pipefail
cli="$1" version="$2" out="$3"
"$cli" --help | awk -v version="$version" '
  # Roman text for troff: backslashes and hyphens escaped, no line starting as a request.
  function roff(s) {
    gsub(/\\/, "\\e", s)
    gsub(/-/, "\\-", s)
    sub(/^[.'\'']/, "\\\\\\&&", s)
    return s
  }
  function trim(s) {
    sub(/^ +/, "", s)
    sub(/ +$/, "", s)
    return s
  }
  function flush() {
    if (head != "") {
      word = head
      sub(/ .*/, "", word)
      rest = substr(head, length(word) + 1)
      print ".TP"
      print "\\fB" roff(word) "\\fR" roff(rest)
      print roff(body)
    }
    head = ""
    body = ""
  }
  BEGIN {
    print ".TH MIRVA\\-CLI 1 \"\" \"mirva " version "\" \"User Commands\""
    print ".SH NAME"
    print "mirva\\-cli \\- the contest logger from a terminal"
    print ".SH SYNOPSIS"
    print ".nf"
    part = "synopsis"
  }
  part == "synopsis" && /^  [a-z]/ {
    print ".fi"
    print ".SH COMMANDS"
    part = "commands"
  }
  part == "synopsis" {
    sub(/^usage: /, "")
    print roff(trim($0))
    next
  }
  part == "commands" && /^[^ ]/ {
    flush()
    print ".SH NOTES"
    part = "notes"
  }
  part == "commands" && /^  [^ ]/ {
    flush()
    if (length($0) > 19 && substr($0, 18, 2) == "  " && substr($0, 20, 1) != " ") {
      head = trim(substr($0, 3, 17))
      body = substr($0, 20)
    } else {
      head = trim($0)
    }
    next
  }
  part == "commands" && /^                   [^ ]/ {
    body = body (body == "" ? "" : " ") trim($0)
    next
  }
  part == "commands" {
    head = head " " trim($0)
    next
  }
  part == "notes" && /^[^ ]/ { print ".PP" }
  part == "notes" { print roff(trim($0)) }
  END {
    flush()
    print ".SH SEE ALSO"
    print ".BR mirva (1)"
  }
' | gzip -9n >"$out.tmp"
mv "$out.tmp" "$out"
