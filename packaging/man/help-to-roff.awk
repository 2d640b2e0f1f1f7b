# Fills a manual page source (second file) with the blocks of its program's
# --help output (first file), as QCommandLineParser lays it out: the
# "Usage:" line, the description, then blocks headed "Options:",
# "Arguments:" or "Exit status:", each entry an indented name, two or more
# blanks and a description that may wrap onto more indented lines.
# Placeholders in the source, each on a line of its own: @SYNOPSIS@,
# @DESCRIPTION@, @OPTIONS@, @ARGUMENTS@, @EXIT_STATUS@; within lines:
# @VERSION@, @DATE@. Any other layout of --help, a block the page leaves
# out, a placeholder without its block, or an option named in the page that
# --help does not list fails, so a page cannot drift from its program.
# Variables: name (the program), version, date.

function fail(why) {
    print "make-page: " name ": " why > "/dev/stderr"
    failed = 1
    exit 1
}

function roff(text) {
    gsub(/\\/, "\\e", text)
    gsub(/-/, "\\-", text)
    if (text ~ /^[.']/)
        text = "\\&" text
    return text
}

# "--runs <N>" gives \fB\-\-runs\fR \fIN\fR; every name is noted as known.
function option_heading(names,    count, parts, i, heading, value) {
    count = split(names, parts, /, /)
    heading = ""
    for (i = 1; i <= count; i++) {
        value = ""
        if (match(parts[i], / <[^>]+>$/)) {
            value = " \\fI" roff(substr(parts[i], RSTART + 2, RLENGTH - 3)) "\\fR"
            parts[i] = substr(parts[i], 1, RSTART - 1)
        }
        if (parts[i] !~ /^--?[a-z][a-z-]*$/)
            fail("not an option: " parts[i])
        known[parts[i]] = 1
        heading = heading (i > 1 ? ", " : "") "\\fB" roff(parts[i]) "\\fR" value
    }
    return heading
}

function entries(block,    i, heading, out) {
    out = ""
    for (i = 1; i <= count[block]; i++) {
        if (block == "options")
            heading = option_heading(entry_name[block, i])
        else if (block == "arguments")
            heading = "\\fI" roff(entry_name[block, i]) "\\fR"
        else
            heading = "\\fB" roff(entry_name[block, i]) "\\fR"
        out = out (i > 1 ? "\n" : "") ".TP\n" heading "\n" roff(entry_text[block, i])
    }
    return out
}

function synopsis(    count, words, i, word, out) {
    count = split(usage, words, / /)
    sub(/.*\//, "", words[1])
    if (words[1] != name)
        fail("--help names the program " words[1])
    out = ".B " roff(name) "\n"
    for (i = 2; i <= count; i++) {
        word = words[i]
        if (word ~ /^\[.*\]$/)
            out = out "[\\fI" roff(substr(word, 2, length(word) - 2)) "\\fR]"
        else
            out = out "\\fI" roff(word) "\\fR"
        out = out (i < count ? " " : "")
    }
    return out
}

NR == FNR {
    if (FNR == 1) {
        if ($0 !~ /^Usage: [^ ]/)
            fail("--help does not begin with \"Usage: \"")
        usage = substr($0, 8)
        block = "description"
        next
    }
    if ($0 == "") {
        block = ""
        next
    }
    if (block == "" && ($0 == "Options:" || $0 == "Arguments:" || $0 == "Exit status:")) {
        block = tolower(substr($0, 1, length($0) - 1))
        sub(/ /, "_", block)
        if (block in count)
            fail("two " $0 " blocks in --help")
        count[block] = 0
        next
    }
    if (block == "description") {
        description = description (description == "" ? "" : " ") $0
        next
    }
    if (block == "")
        fail("unexpected line in --help: " $0)
    if ($0 ~ /^  [^ ]/) {
        line = substr($0, 3)
        n = ++count[block]
        if (match(line, /  +/)) {
            entry_name[block, n] = substr(line, 1, RSTART - 1)
            entry_text[block, n] = substr(line, RSTART + RLENGTH)
        } else {
            entry_name[block, n] = line
            entry_text[block, n] = ""
        }
        next
    }
    if ($0 ~ /^   +[^ ]/ && count[block] > 0) {
        line = $0
        sub(/^ +/, "", line)
        n = count[block]
        entry_text[block, n] = entry_text[block, n] (entry_text[block, n] == "" ? "" : " ") line
        next
    }
    fail("unexpected line in --help: " $0)
}

FNR == 1 {
    if (!("options" in count))
        fail("--help lists no options")
    placeholder["@SYNOPSIS@"] = synopsis()
    if (description != "")
        placeholder["@DESCRIPTION@"] = roff(description)
    placeholder["@OPTIONS@"] = entries("options")
    if ("arguments" in count)
        placeholder["@ARGUMENTS@"] = entries("arguments")
    if ("exit_status" in count)
        placeholder["@EXIT_STATUS@"] = entries("exit_status")
}

{
    rest = $0
    while (match(rest, /\\-\\-[a-z]+(\\-[a-z]+)*/)) {
        option = substr(rest, RSTART, RLENGTH)
        gsub(/\\-/, "-", option)
        named[option] = FNR
        rest = substr(rest, RSTART + RLENGTH)
    }
    if ($0 ~ /^@[A-Z_]+@$/) {
        if (!($0 in placeholder))
            fail("--help has no block for " $0)
        print placeholder[$0]
        used[$0] = 1
        next
    }
    gsub(/@VERSION@/, version)
    gsub(/@DATE@/, date)
    print
}

END {
    if (failed)
        exit 1
    for (key in placeholder)
        if (!(key in used))
            fail("the page leaves out " key)
    for (option in named)
        if (!(option in known))
            fail("line " named[option] " names " option ", which --help does not list")
}
