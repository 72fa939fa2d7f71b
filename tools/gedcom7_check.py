#!/usr/bin/env python3
"""Checks a GEDCOM 7.0 file against the rules of the GEDCOM 7.0 standard.

What is checked:
  - the file: UTF-8 (an optional byte-order mark), no forbidden control
    characters, the line grammar (level, optional cross-reference, tag,
    optional value; no blanks before the level, none after the tag without a
    value), levels rising one at a time, a value that starts with "@" is a
    pointer or starts with "@@";
  - the document: HEAD first with GEDC.VERS 7.0, TRLR last and alone, records
    between them;
  - structures: every standard substructure is one the standard allows under
    its superstructure, each at most as often ({0:1}, {1:1}) and at least as
    often ({1:1}, {1:M}) as it says, from its tables (transcribed below in the
    standard's own notation); extension tags (_TAG) and what is under them are
    allowed anywhere and not looked into;
  - payloads: none where none is allowed; pointers to a record of the right
    kind or @VOID@; "Y" or nothing for events; the grammars of dates (DateValue,
    DatePeriod, DateExact, calendars, months, epochs, days that the month has),
    times, ages, integers, personal names, languages, media types and
    enumerations; CONT only to continue a payload, never CONC;
  - cross-references: unique, only on records, never @VOID@; every pointer
    defined; a family's HUSB, WIFE and CHIL answered by the person's FAMS or
    FAMC.

Usage: gedcom7_check.py [--quiet] FILE...   Exit 0 when every file is clean.
"""
import re
import sys

# ---- the structure tables, in the standard's metasyntax -------------------

RULES = r"""
HEADER :=
n HEAD {1:1}
  +1 GEDC {1:1}
     +2 VERS <Special> {1:1}
  +1 SCHMA {0:1}
     +2 TAG <Special> {0:M}
  +1 SOUR <Special> {0:1}
     +2 VERS <Special> {0:1}
     +2 NAME <Text> {0:1}
     +2 CORP <Text> {0:1}
        +3 <<ADDRESS_STRUCTURE>> {0:1}
        +3 PHON <Special> {0:M}
        +3 EMAIL <Special> {0:M}
        +3 FAX <Special> {0:M}
        +3 WWW <Special> {0:M}
     +2 DATA <Text> {0:1}
        +3 DATE <DateExact> {0:1}
           +4 TIME <Time> {0:1}
        +3 COPR <Text> {0:1}
  +1 DEST <Special> {0:1}
  +1 DATE <DateExact> {0:1}
     +2 TIME <Time> {0:1}
  +1 SUBM @<XREF:SUBM>@ {0:1}
  +1 COPR <Text> {0:1}
  +1 LANG <Language> {0:1}
  +1 PLAC {0:1}
     +2 FORM <List:Text> {1:1}
  +1 <<NOTE_STRUCTURE>> {0:1}

RECORD :=
[
n FAM {1:1}
  +1 RESN <List:Enum:RESN> {0:1}
  +1 <<FAMILY_ATTRIBUTE_STRUCTURE>> {0:M}
  +1 <<FAMILY_EVENT_STRUCTURE>> {0:M}
  +1 <<NON_EVENT_STRUCTURE>> {0:M}
  +1 HUSB @<XREF:INDI>@ {0:1}
     +2 PHRASE <Text> {0:1}
  +1 WIFE @<XREF:INDI>@ {0:1}
     +2 PHRASE <Text> {0:1}
  +1 CHIL @<XREF:INDI>@ {0:M}
     +2 PHRASE <Text> {0:1}
  +1 <<ASSOCIATION_STRUCTURE>> {0:M}
  +1 SUBM @<XREF:SUBM>@ {0:M}
  +1 <<LDS_SPOUSE_SEALING>> {0:M}
  +1 <<IDENTIFIER_STRUCTURE>> {0:M}
  +1 <<NOTE_STRUCTURE>> {0:M}
  +1 <<SOURCE_CITATION>> {0:M}
  +1 <<MULTIMEDIA_LINK>> {0:M}
  +1 <<CHANGE_DATE>> {0:1}
  +1 <<CREATION_DATE>> {0:1}
|
n INDI {1:1}
  +1 RESN <List:Enum:RESN> {0:1}
  +1 <<PERSONAL_NAME_STRUCTURE>> {0:M}
  +1 SEX <Enum:SEX> {0:1}
  +1 <<INDIVIDUAL_ATTRIBUTE_STRUCTURE>> {0:M}
  +1 <<INDIVIDUAL_EVENT_STRUCTURE>> {0:M}
  +1 <<NON_EVENT_STRUCTURE>> {0:M}
  +1 <<LDS_INDIVIDUAL_ORDINANCE>> {0:M}
  +1 FAMC @<XREF:FAM>@ {0:M}
     +2 PEDI <Enum:PEDI> {0:1}
        +3 PHRASE <Text> {0:1}
     +2 STAT <Enum:FAMC-STAT> {0:1}
        +3 PHRASE <Text> {0:1}
     +2 <<NOTE_STRUCTURE>> {0:M}
  +1 FAMS @<XREF:FAM>@ {0:M}
     +2 <<NOTE_STRUCTURE>> {0:M}
  +1 SUBM @<XREF:SUBM>@ {0:M}
  +1 <<ASSOCIATION_STRUCTURE>> {0:M}
  +1 ALIA @<XREF:INDI>@ {0:M}
     +2 PHRASE <Text> {0:1}
  +1 ANCI @<XREF:SUBM>@ {0:M}
  +1 DESI @<XREF:SUBM>@ {0:M}
  +1 <<IDENTIFIER_STRUCTURE>> {0:M}
  +1 <<NOTE_STRUCTURE>> {0:M}
  +1 <<SOURCE_CITATION>> {0:M}
  +1 <<MULTIMEDIA_LINK>> {0:M}
  +1 <<CHANGE_DATE>> {0:1}
  +1 <<CREATION_DATE>> {0:1}
|
n OBJE {1:1}
  +1 RESN <List:Enum:RESN> {0:1}
  +1 FILE <FilePath> {1:M}
     +2 FORM <MediaType> {1:1}
        +3 MEDI <Enum:MEDI> {0:1}
           +4 PHRASE <Text> {0:1}
     +2 TITL <Text> {0:1}
     +2 TRAN <FilePath> {0:M}
        +3 FORM <MediaType> {1:1}
  +1 <<IDENTIFIER_STRUCTURE>> {0:M}
  +1 <<NOTE_STRUCTURE>> {0:M}
  +1 <<SOURCE_CITATION>> {0:M}
  +1 <<CHANGE_DATE>> {0:1}
  +1 <<CREATION_DATE>> {0:1}
|
n REPO {1:1}
  +1 NAME <Text> {1:1}
  +1 <<ADDRESS_STRUCTURE>> {0:1}
  +1 PHON <Special> {0:M}
  +1 EMAIL <Special> {0:M}
  +1 FAX <Special> {0:M}
  +1 WWW <Special> {0:M}
  +1 <<NOTE_STRUCTURE>> {0:M}
  +1 <<IDENTIFIER_STRUCTURE>> {0:M}
  +1 <<CHANGE_DATE>> {0:1}
  +1 <<CREATION_DATE>> {0:1}
|
n SNOTE <Text> {1:1}
  +1 MIME <MediaType> {0:1}
  +1 LANG <Language> {0:1}
  +1 TRAN <Text> {0:M}
     +2 MIME <MediaType> {0:1}
     +2 LANG <Language> {0:1}
  +1 <<SOURCE_CITATION>> {0:M}
  +1 <<IDENTIFIER_STRUCTURE>> {0:M}
  +1 <<CHANGE_DATE>> {0:1}
  +1 <<CREATION_DATE>> {0:1}
|
n SOUR {1:1}
  +1 DATA {0:1}
     +2 EVEN <List:Enum:EVENATTR> {0:M}
        +3 DATE <DatePeriod> {0:1}
           +4 PHRASE <Text> {0:1}
        +3 <<PLACE_STRUCTURE>> {0:1}
     +2 AGNC <Text> {0:1}
     +2 <<NOTE_STRUCTURE>> {0:M}
  +1 AUTH <Text> {0:1}
  +1 TITL <Text> {0:1}
  +1 ABBR <Text> {0:1}
  +1 PUBL <Text> {0:1}
  +1 TEXT <Text> {0:1}
     +2 MIME <MediaType> {0:1}
     +2 LANG <Language> {0:1}
  +1 <<SOURCE_REPOSITORY_CITATION>> {0:M}
  +1 <<IDENTIFIER_STRUCTURE>> {0:M}
  +1 <<NOTE_STRUCTURE>> {0:M}
  +1 <<MULTIMEDIA_LINK>> {0:M}
  +1 <<CHANGE_DATE>> {0:1}
  +1 <<CREATION_DATE>> {0:1}
|
n SUBM {1:1}
  +1 NAME <Text> {1:1}
  +1 <<ADDRESS_STRUCTURE>> {0:1}
  +1 PHON <Special> {0:M}
  +1 EMAIL <Special> {0:M}
  +1 FAX <Special> {0:M}
  +1 WWW <Special> {0:M}
  +1 <<MULTIMEDIA_LINK>> {0:M}
  +1 LANG <Language> {0:M}
  +1 <<IDENTIFIER_STRUCTURE>> {0:M}
  +1 <<NOTE_STRUCTURE>> {0:M}
  +1 <<CHANGE_DATE>> {0:1}
  +1 <<CREATION_DATE>> {0:1}
]

ADDRESS_STRUCTURE :=
n ADDR <Special> {1:1}
  +1 ADR1 <Special> {0:1}
  +1 ADR2 <Special> {0:1}
  +1 ADR3 <Special> {0:1}
  +1 CITY <Special> {0:1}
  +1 STAE <Special> {0:1}
  +1 POST <Special> {0:1}
  +1 CTRY <Special> {0:1}

ASSOCIATION_STRUCTURE :=
n ASSO @<XREF:INDI>@ {1:1}
  +1 PHRASE <Text> {0:1}
  +1 ROLE <Enum:ROLE> {1:1}
     +2 PHRASE <Text> {0:1}
  +1 <<NOTE_STRUCTURE>> {0:M}
  +1 <<SOURCE_CITATION>> {0:M}

CHANGE_DATE :=
n CHAN {1:1}
  +1 DATE <DateExact> {1:1}
     +2 TIME <Time> {0:1}
  +1 <<NOTE_STRUCTURE>> {0:M}

CREATION_DATE :=
n CREA {1:1}
  +1 DATE <DateExact> {1:1}
     +2 TIME <Time> {0:1}

DATE_VALUE :=
n DATE <DateValue> {1:1}
  +1 TIME <Time> {0:1}
  +1 PHRASE <Text> {0:1}

EVENT_DETAIL :=
n <<DATE_VALUE>> {0:1}
n <<PLACE_STRUCTURE>> {0:1}
n <<ADDRESS_STRUCTURE>> {0:1}
n PHON <Special> {0:M}
n EMAIL <Special> {0:M}
n FAX <Special> {0:M}
n WWW <Special> {0:M}
n AGNC <Text> {0:1}
n RELI <Text> {0:1}
n CAUS <Text> {0:1}
n RESN <List:Enum:RESN> {0:1}
n SDATE <DateValue> {0:1}
  +1 TIME <Time> {0:1}
  +1 PHRASE <Text> {0:1}
n <<ASSOCIATION_STRUCTURE>> {0:M}
n <<NOTE_STRUCTURE>> {0:M}
n <<SOURCE_CITATION>> {0:M}
n <<MULTIMEDIA_LINK>> {0:M}
n UID <Special> {0:M}

FAMILY_ATTRIBUTE_STRUCTURE :=
[
n NCHI <Integer> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n RESI <Text> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n FACT <Text> {1:1}
  +1 TYPE <Text> {1:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
]

FAMILY_EVENT_DETAIL :=
n HUSB {0:1}
  +1 AGE <Age> {1:1}
     +2 PHRASE <Text> {0:1}
n WIFE {0:1}
  +1 AGE <Age> {1:1}
     +2 PHRASE <Text> {0:1}
n <<EVENT_DETAIL>> {0:1}

FAMILY_EVENT_STRUCTURE :=
[
n ANUL [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n CENS [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n DIV [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n DIVF [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n ENGA [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n MARB [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n MARC [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n MARL [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n MARR [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n MARS [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
|
n EVEN <Text> {1:1}
  +1 TYPE <Text> {1:1}
  +1 <<FAMILY_EVENT_DETAIL>> {0:1}
]

IDENTIFIER_STRUCTURE :=
[
n REFN <Special> {1:1}
  +1 TYPE <Text> {0:1}
|
n UID <Special> {1:1}
|
n EXID <Special> {1:1}
  +1 TYPE <Special> {0:1}
]

INDIVIDUAL_ATTRIBUTE_STRUCTURE :=
[
n CAST <Text> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n DSCR <Text> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n EDUC <Text> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n IDNO <Special> {1:1}
  +1 TYPE <Text> {1:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n NATI <Text> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n NCHI <Integer> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n NMR <Integer> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n OCCU <Text> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n PROP <Text> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n RELI <Text> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n RESI <Text> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n SSN <Special> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n TITL <Text> {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
n FACT <Text> {1:1}
  +1 TYPE <Text> {1:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
]

INDIVIDUAL_EVENT_DETAIL :=
n <<EVENT_DETAIL>> {1:1}
n AGE <Age> {0:1}
  +1 PHRASE <Text> {0:1}

INDIVIDUAL_EVENT_STRUCTURE :=
[
n ADOP [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
  +1 FAMC @<XREF:FAM>@ {0:1}
     +2 ADOP <Enum:ADOP> {0:1}
        +3 PHRASE <Text> {0:1}
|
n BIRT [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
  +1 FAMC @<XREF:FAM>@ {0:1}
|
n CHR [Y|<NULL>] {1:1}
  +1 TYPE <Text> {0:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
  +1 FAMC @<XREF:FAM>@ {0:1}
|
n EVEN <Text> {1:1}
  +1 TYPE <Text> {1:1}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {0:1}
|
@EVENTS BAPM BARM BASM BLES BURI CENS CHRA CONF CREM DEAT EMIG FCOM GRAD IMMI NATU ORDN PROB RETI WILL
]

LDS_INDIVIDUAL_ORDINANCE :=
[
n BAPL {1:1}
  +1 <<LDS_ORDINANCE_DETAIL>> {0:1}
|
n CONL {1:1}
  +1 <<LDS_ORDINANCE_DETAIL>> {0:1}
|
n ENDL {1:1}
  +1 <<LDS_ORDINANCE_DETAIL>> {0:1}
|
n INIL {1:1}
  +1 <<LDS_ORDINANCE_DETAIL>> {0:1}
|
n SLGC {1:1}
  +1 <<LDS_ORDINANCE_DETAIL>> {0:1}
  +1 FAMC @<XREF:FAM>@ {1:1}
]

LDS_ORDINANCE_DETAIL :=
n <<DATE_VALUE>> {0:1}
n TEMP <Text> {0:1}
n <<PLACE_STRUCTURE>> {0:1}
n STAT <Enum:ord-STAT> {0:1}
  +1 DATE <DateExact> {1:1}
     +2 TIME <Time> {0:1}
n <<NOTE_STRUCTURE>> {0:M}
n <<SOURCE_CITATION>> {0:M}

LDS_SPOUSE_SEALING :=
n SLGS {1:1}
  +1 <<LDS_ORDINANCE_DETAIL>> {0:1}

MULTIMEDIA_LINK :=
n OBJE @<XREF:OBJE>@ {1:1}
  +1 CROP {0:1}
     +2 TOP <Integer> {0:1}
     +2 LEFT <Integer> {0:1}
     +2 HEIGHT <Integer> {0:1}
     +2 WIDTH <Integer> {0:1}
  +1 TITL <Text> {0:1}

NON_EVENT_STRUCTURE :=
n NO <Enum:EVEN> {1:1}
  +1 DATE <DatePeriod> {0:1}
     +2 PHRASE <Text> {0:1}
  +1 <<NOTE_STRUCTURE>> {0:M}
  +1 <<SOURCE_CITATION>> {0:M}

NOTE_STRUCTURE :=
[
n NOTE <Text> {1:1}
  +1 MIME <MediaType> {0:1}
  +1 LANG <Language> {0:1}
  +1 TRAN <Text> {0:M}
     +2 MIME <MediaType> {0:1}
     +2 LANG <Language> {0:1}
  +1 <<SOURCE_CITATION>> {0:M}
|
n SNOTE @<XREF:SNOTE>@ {1:1}
]

PERSONAL_NAME_PIECES :=
n NPFX <Text> {0:M}
n GIVN <Text> {0:M}
n NICK <Text> {0:M}
n SPFX <Text> {0:M}
n SURN <Text> {0:M}
n NSFX <Text> {0:M}

PERSONAL_NAME_STRUCTURE :=
n NAME <PersonalName> {1:1}
  +1 TYPE <Enum:NAME-TYPE> {0:1}
     +2 PHRASE <Text> {0:1}
  +1 <<PERSONAL_NAME_PIECES>> {0:1}
  +1 TRAN <PersonalName> {0:M}
     +2 LANG <Language> {1:1}
     +2 <<PERSONAL_NAME_PIECES>> {0:1}
  +1 <<NOTE_STRUCTURE>> {0:M}
  +1 <<SOURCE_CITATION>> {0:M}

PLACE_STRUCTURE :=
n PLAC <List:Text> {1:1}
  +1 FORM <List:Text> {0:1}
  +1 LANG <Language> {0:1}
  +1 TRAN <List:Text> {0:M}
     +2 LANG <Language> {1:1}
  +1 MAP {0:1}
     +2 LATI <Special> {1:1}
     +2 LONG <Special> {1:1}
  +1 EXID <Special> {0:M}
     +2 TYPE <Special> {0:1}
  +1 <<NOTE_STRUCTURE>> {0:M}

SOURCE_CITATION :=
n SOUR @<XREF:SOUR>@ {1:1}
  +1 PAGE <Text> {0:1}
  +1 DATA {0:1}
     +2 <<DATE_VALUE>> {0:1}
     +2 TEXT <Text> {0:M}
        +3 MIME <MediaType> {0:1}
        +3 LANG <Language> {0:1}
  +1 EVEN <Enum:EVENATTR> {0:1}
     +2 PHRASE <Text> {0:1}
     +2 ROLE <Enum:ROLE> {0:1}
        +3 PHRASE <Text> {0:1}
  +1 QUAY <Enum:QUAY> {0:1}
  +1 <<MULTIMEDIA_LINK>> {0:M}
  +1 <<NOTE_STRUCTURE>> {0:M}

SOURCE_REPOSITORY_CITATION :=
n REPO @<XREF:REPO>@ {1:1}
  +1 <<NOTE_STRUCTURE>> {0:M}
  +1 CALN <Special> {0:M}
     +2 MEDI <Enum:MEDI> {0:1}
        +3 PHRASE <Text> {0:1}
"""

# The individual events that share one shape (the "@EVENTS" line above).
EVENT_SHAPE = """n {tag} [Y|<NULL>] {{1:1}}
  +1 TYPE <Text> {{0:1}}
  +1 <<INDIVIDUAL_EVENT_DETAIL>> {{0:1}}"""

# Enumeration sets.
INDI_EVENTS = ("ADOP BAPM BARM BASM BIRT BLES BURI CENS CHR CHRA CONF CREM DEAT EMIG FCOM GRAD IMMI NATU ORDN "
               "PROB RETI WILL").split()
FAM_EVENTS = "ANUL CENS DIV DIVF ENGA MARB MARC MARL MARR MARS".split()
ATTRIBUTES = "CAST DSCR EDUC IDNO NATI NCHI NMR OCCU PROP RELI RESI SSN TITL FACT".split()
ENUMS = {
    "SEX": {"M", "F", "X", "U"},
    "RESN": {"CONFIDENTIAL", "LOCKED", "PRIVACY"},
    "PEDI": {"ADOPTED", "BIRTH", "FOSTER", "SEALING", "OTHER"},
    "FAMC-STAT": {"CHALLENGED", "DISPROVEN", "PROVEN"},
    "ADOP": {"HUSB", "WIFE", "BOTH"},
    "NAME-TYPE": {"AKA", "BIRTH", "IMMIGRANT", "MAIDEN", "MARRIED", "PROFESSIONAL", "OTHER"},
    "QUAY": {"0", "1", "2", "3"},
    "ROLE": {"CHIL", "CLERGY", "FATH", "FRIEND", "GODP", "HUSB", "MOTH", "MULTIPLE", "NGHBR", "OFFICIATOR",
             "PARENT", "SPOU", "WIFE", "WITN", "OTHER"},
    "MEDI": {"AUDIO", "BOOK", "CARD", "ELECTRONIC", "FICHE", "FILM", "MAGAZINE", "MANUSCRIPT", "MAP", "NEWSPAPER",
             "PHOTO", "TOMBSTONE", "VIDEO", "OTHER"},
    "ord-STAT": {"BIC", "CANCELED", "CHILD", "COMPLETED", "EXCLUDED", "DNS", "DNS_CAN", "INFANT", "PRE_1970",
                 "STILLBORN", "SUBMITTED", "UNCLEARED"},
    "EVEN": set(INDI_EVENTS + FAM_EVENTS),
    "EVENATTR": set(INDI_EVENTS + FAM_EVENTS + ATTRIBUTES + ["EVEN"]),
}

RECORD_TAGS = {"FAM", "INDI", "OBJE", "REPO", "SNOTE", "SOUR", "SUBM"}


class Node:
    """One line template: its tag, payload descriptor and allowed substructures."""

    def __init__(self, tag, payload):
        self.tag, self.payload = tag, payload
        self.items = []  # (level offset 1) ("node", Node, card) or ("rule", name, card)
        self.subs = None  # tag -> (min, max, Node), once resolved


def parse_card(text):
    lo, hi = text.strip("{}").split(":")
    return int(lo), (None if hi == "M" else int(hi))


def combine(a, b):
    """A rule instantiated with cardinality a whose line has cardinality b."""
    return (1 if a[0] == 1 and b[0] == 1 else 0), (1 if a[1] == 1 and b[1] == 1 else None)


LINE = re.compile(r"^(n|\+\d+) (?:<<(\w+)>>|(\w+)(?: (.+?))?) (\{\d:[1M]\})$")


def parse_rules(text):
    rules = {}
    name, lines = None, []
    for raw in text.splitlines() + ["END :="]:
        if raw.endswith(":="):
            if name:
                rules[name] = lines
            name, lines = raw[:-3].strip(), []
        elif raw.strip().startswith("@EVENTS"):
            for i, tag in enumerate(raw.split()[1:]):
                if i:
                    lines.append("|")
                lines.extend(l.strip() for l in EVENT_SHAPE.format(tag=tag).splitlines())
        elif raw.strip():
            lines.append(raw.strip())
    out = {}
    for name, body in rules.items():
        top = []  # ("node", Node, card) / ("rule", name, card) at level n
        stack = []  # (depth, Node)
        for line in body:
            if line in ("[", "|", "]"):
                continue
            m = LINE.match(line)
            if not m:
                raise ValueError("bad rule line in %s: %s" % (name, line))
            depth = 0 if m.group(1) == "n" else int(m.group(1)[1:])
            card = parse_card(m.group(5))
            item = ("rule", m.group(2), card) if m.group(2) else ("node", Node(m.group(3), m.group(4)), card)
            while stack and stack[-1][0] >= depth:
                stack.pop()
            (stack[-1][1].items if stack else top).append(item)
            if item[0] == "node":
                stack.append((depth, item[1]))
        out[name] = top
    return out


def expand(rules, items, card=(1, 1), seen=()):
    """The nodes a list of items stands for, each with its combined cardinality."""
    for kind, what, c in items:
        c = combine(card, c)
        if kind == "node":
            yield what, c
        else:
            if what in seen:
                raise ValueError("rule %s refers to itself" % what)
            yield from expand(rules, rules[what], c, seen + (what,))


def resolve(rules, node, done):
    if id(node) in done:
        return
    done.add(id(node))
    node.subs = {}
    for child, (lo, hi) in expand(rules, node.items):
        if child.tag in node.subs:
            raise ValueError("%s allows %s twice" % (node.tag, child.tag))
        node.subs[child.tag] = (lo, hi, child)
        resolve(rules, child, done)


def build_tables():
    rules = parse_rules(RULES)
    done = set()
    head = dict((n.tag, n) for n, _ in expand(rules, rules["HEADER"]))["HEAD"]
    resolve(rules, head, done)
    records = {}
    for n, _ in expand(rules, rules["RECORD"]):
        resolve(rules, n, done)
        records[n.tag] = n
    return head, records


# ---- payload grammars -----------------------------------------------------

MONTHS = {
    "GREGORIAN": "JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC".split(),
    "JULIAN": "JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC".split(),
    "FRENCH_R": "VEND BRUM FRIM NIVO PLUV VENT GERM FLOR PRAI MESS THER FRUC COMP".split(),
    "HEBREW": "TSH CSH KSL TVT SHV ADR ADS NSN IYR SVN TMZ AAV ELL".split(),
}
EPOCHS = {"GREGORIAN": {"BCE"}, "JULIAN": {"BCE"}, "FRENCH_R": set(), "HEBREW": set()}
EXT_TAG = re.compile(r"^_[A-Z0-9_]+$")
STD_TAG = re.compile(r"^[A-Z][A-Z0-9_]*$")
INTEGER = re.compile(r"^[0-9]+$")


def month_days(cal, month, year, bce):
    if cal not in ("GREGORIAN", "JULIAN"):
        return 30 if cal == "FRENCH_R" and month != "COMP" else (6 if cal == "FRENCH_R" else 30)
    m = MONTHS[cal].index(month) + 1
    if m == 2:
        y = -year + 1 if bce else year  # astronomical year: 1 BCE is year 0, a leap year
        leap = y % 4 == 0 and (cal == "JULIAN" or y % 100 != 0 or y % 400 == 0)
        return 29 if leap else 28
    return 30 if m in (4, 6, 9, 11) else 31


def check_date(text):
    """None when `text` is a date (calendar, day, month, year, epoch), else why not."""
    words = text.split(" ")
    cal = "GREGORIAN"
    if words and (words[0] in MONTHS or EXT_TAG.match(words[0])):
        cal = words.pop(0)
        if cal not in MONTHS:
            return None  # an extension calendar: its own rules
    epoch = None
    if len(words) >= 2 and not INTEGER.match(words[-1]):
        epoch = words.pop()
        if epoch not in EPOCHS[cal] and not EXT_TAG.match(epoch):
            return "epoch %r is not one of the %s calendar" % (epoch, cal)
    if not 1 <= len(words) <= 3 or not INTEGER.match(words[-1]):
        return "not [calendar] [[day] month] year [epoch]"
    year = int(words[-1])
    month = words[-2] if len(words) >= 2 else None
    if month is not None and month not in MONTHS[cal] and not EXT_TAG.match(month):
        return "month %r is not one of the %s calendar" % (month, cal)
    if len(words) == 3:
        if not INTEGER.match(words[0]):
            return "day %r is not a number" % words[0]
        day = int(words[0])
        if month in MONTHS[cal] and not 1 <= day <= month_days(cal, month, year, epoch == "BCE"):
            return "%s %s %s has no day %d" % (cal, month, year, day)
    return None


def check_date_value(text, kinds):
    """kinds: which forms are allowed: "date", "period", "range", "approx"."""
    if text == "":
        return None
    words = text.split(" ")
    if "" in words:
        return "more than one blank between words"
    first = words[0]
    if first in ("FROM", "TO") and "period" in kinds:
        if first == "FROM" and "TO" in words[1:]:
            i = words.index("TO")
            return check_date(" ".join(words[1:i])) or check_date(" ".join(words[i + 1:]))
        return check_date(" ".join(words[1:]))
    if first in ("BEF", "AFT") and "range" in kinds:
        return check_date(" ".join(words[1:]))
    if first == "BET" and "range" in kinds:
        if "AND" not in words:
            return "BET without AND"
        i = words.index("AND")
        return check_date(" ".join(words[1:i])) or check_date(" ".join(words[i + 1:]))
    if first in ("ABT", "CAL", "EST") and "approx" in kinds:
        return check_date(" ".join(words[1:]))
    if first in ("FROM", "TO", "BEF", "AFT", "BET", "ABT", "CAL", "EST", "AND"):
        return "%s is not allowed here" % first
    if "date" not in kinds:
        return "a plain date is not allowed here"
    return check_date(text)


def check_date_exact(text):
    w = text.split(" ")
    if len(w) != 3 or not INTEGER.match(w[0]) or not INTEGER.match(w[2]) or w[1] not in MONTHS["GREGORIAN"]:
        return "not day month year"
    if not 1 <= int(w[0]) <= month_days("GREGORIAN", w[1], int(w[2]), False):
        return "no such day"
    return None


TIME = re.compile(r"^([01]?[0-9]|2[0-3]):[0-5][0-9](:[0-5][0-9](\.[0-9]+)?)?Z?$")
AGE = re.compile(r"^(?:[<>] )?(?:[0-9]+y(?: [0-9]+m)?(?: [0-9]+w)?(?: [0-9]+d)?|[0-9]+m(?: [0-9]+w)?(?: [0-9]+d)?"
                 r"|[0-9]+w(?: [0-9]+d)?|[0-9]+d)$")
LANGUAGE = re.compile(r"^[A-Za-z]{2,8}(-[A-Za-z0-9]{1,8})*$")
MEDIA_TYPE = re.compile(r"^[A-Za-z0-9!#$&^_.+-]+/[A-Za-z0-9!#$&^_.+-]+(\s*;.*)?$")


def check_enum(value, enumset):
    if EXT_TAG.match(value):
        return None
    if enumset in ENUMS and value not in ENUMS[enumset]:
        return "%r is not one of %s" % (value, enumset)
    if not STD_TAG.match(value) and not INTEGER.match(value):
        return "%r is not an enumeration value" % value
    return None


def check_payload(desc, value, is_pointer):
    """None when the payload fits the descriptor, else why not."""
    if desc is None:
        return None if value is None else "no payload is allowed here"
    if desc.startswith("@<XREF:"):
        if not is_pointer:
            return "a pointer is required"
        return None  # the target is checked with the cross-references
    if is_pointer:
        return "a pointer is not allowed here"
    v = "" if value is None else value
    if desc == "[Y|<NULL>]":
        return None if v in ("", "Y") else "only Y or nothing is allowed"
    kind = desc.strip("<>")
    if kind in ("Text", "Special", "List:Text"):
        return None
    if kind == "DateValue":
        return check_date_value(v, ("date", "period", "range", "approx"))
    if kind == "DatePeriod":
        return check_date_value(v, ("period",))
    if v == "":
        return "a payload is required"
    if kind == "Integer":
        return None if INTEGER.match(v) else "not an integer"
    if kind.startswith("List:Enum"):
        for item in v.split(","):
            why = check_enum(item.strip(), kind.split(":")[2] if kind.count(":") == 2 else None)
            if why:
                return why
        return None
    if kind.startswith("Enum"):
        return check_enum(v, kind.split(":")[1] if ":" in kind else None)
    if kind == "DateExact":
        return check_date_exact(v)
    if kind == "Time":
        return None if TIME.match(v) else "not a time"
    if kind == "Age":
        return None if AGE.match(v) else "not an age"
    if kind == "Language":
        return None if LANGUAGE.match(v) else "not a language tag"
    if kind == "MediaType":
        return None if MEDIA_TYPE.match(v) else "not a media type"
    if kind == "PersonalName":
        return None if v.count("/") in (0, 2) else "a name has no slashes or exactly two"
    if kind == "FilePath":
        return None
    raise ValueError("unknown payload type " + desc)


# ---- the file --------------------------------------------------------------

LINE_FORM = re.compile(r"^(0|[1-9][0-9]*) (?:(@[A-Z0-9_]+@) )?([A-Za-z0-9_]+)(?: (.*))?$")
POINTER = re.compile(r"^@[A-Z0-9_]+@$")
FORBIDDEN = re.compile("[\x00-\x08\x0b\x0c\x0e-\x1f\x7f\ud800-\udfff\ufffe\uffff]")


class Structure:
    def __init__(self, number, level, xref, tag, value, pointer):
        self.number, self.level, self.xref, self.tag = number, level, xref, tag
        self.value, self.pointer = value, pointer
        self.children = []


class Checker:
    def __init__(self, head, records):
        self.head, self.records = head, records
        self.errors = []
        self.counts = {"lines": 0, "records": 0, "structures": 0}

    def error(self, number, text):
        self.errors.append("line %d: %s" % (number, text))

    def read(self, data):
        if data.startswith(b"\xef\xbb\xbf"):
            data = data[3:]
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError as e:
            self.error(data[:e.start].count(b"\n") + 1, "not UTF-8")
            text = data.decode("utf-8", "replace")
        lines = re.split(r"\r\n|\r|\n", text)
        if lines and lines[-1] == "":
            lines.pop()
        tops, stack = [], []
        for number, line in enumerate(lines, 1):
            self.counts["lines"] += 1
            bad = FORBIDDEN.search(line)
            if bad:
                self.error(number, "forbidden character U+%04X" % ord(bad.group()))
            m = LINE_FORM.match(line)
            if not m:
                self.error(number, "not a GEDCOM line: %r" % line[:60])
                continue
            level, xref, tag, value = int(m.group(1)), m.group(2), m.group(3), m.group(4)
            pointer = value is not None and POINTER.match(value) is not None
            if value == "":
                self.error(number, "a blank after the tag but no payload")
            if value is not None and value.startswith("@") and not pointer and not value.startswith("@@"):
                self.error(number, "a value that starts with @ must be a pointer or start with @@")
            if value is not None and value.startswith("@@"):
                value = value[1:]
            if level > len(stack):
                self.error(number, "level %d follows level %d" % (level, len(stack) - 1))
                continue
            del stack[level:]
            if tag == "CONT":
                parent = stack[-1] if stack else None
                if parent is None or parent.children or parent.pointer:
                    self.error(number, "CONT that continues no payload")
                else:
                    parent.value = (parent.value or "") + "\n" + (value or "")
                stack.append(Structure(number, level, None, "CONT", None, False))  # nothing may stand under it
                stack[-1].cont = True
                continue
            s = Structure(number, level, xref, tag, value, pointer)
            if stack and getattr(stack[-1], "cont", False):
                self.error(number, "%s under a CONT" % tag)
            (stack[-1].children if stack else tops).append(s)
            stack.append(s)
        return tops

    def check(self, data):
        tops = self.read(data)
        if not tops or tops[0].tag != "HEAD":
            self.error(1, "the file does not start with HEAD")
        if not tops or tops[-1].tag != "TRLR":
            self.error(tops[-1].number if tops else 1, "the file does not end with TRLR")
        xrefs = {}
        for s in tops:
            if s.xref:
                if s.xref == "@VOID@":
                    self.error(s.number, "@VOID@ names no record")
                elif s.xref in xrefs:
                    self.error(s.number, "%s defined twice" % s.xref)
                else:
                    xrefs[s.xref] = s
        self.xrefs = xrefs
        for i, s in enumerate(tops):
            if s.tag == "HEAD":
                if i != 0:
                    self.error(s.number, "a second HEAD")
                self.structure(s, self.head)
                vers = [v for g in s.children if g.tag == "GEDC" for v in g.children if v.tag == "VERS"]
                if vers and not re.match(r"^7\.0(\.[0-9]+)?$", vers[0].value or ""):
                    self.error(vers[0].number, "GEDC.VERS is %r, not 7.0" % vers[0].value)
            elif s.tag == "TRLR":
                if i != len(tops) - 1 or s.children or s.value is not None or s.xref:
                    self.error(s.number, "TRLR must be last, alone")
            elif s.tag in self.records:
                self.counts["records"] += 1
                self.structure(s, self.records[s.tag])
            elif not EXT_TAG.match(s.tag):
                self.error(s.number, "%s is not a record" % s.tag)
        self.links(tops)
        return self.errors

    def structure(self, s, node):
        self.counts["structures"] += 1
        if s.level > 0 and s.xref:
            self.error(s.number, "only records have a cross-reference")
        why = check_payload(node.payload, s.value, s.pointer)
        if why:
            self.error(s.number, "%s %r: %s" % (s.tag, s.value, why))
        if s.pointer and node.payload and node.payload.startswith("@<XREF:") and s.value != "@VOID@":
            want = node.payload[7:-2]
            target = self.xrefs.get(s.value)
            if target is None:
                self.error(s.number, "%s points to %s, which no record defines" % (s.tag, s.value))
            elif target.tag != want:
                self.error(s.number, "%s points to a %s record, not a %s" % (s.tag, target.tag, want))
        seen = {}
        for c in s.children:
            if EXT_TAG.match(c.tag):
                continue
            if c.tag not in node.subs:
                self.error(c.number, "%s is not allowed under %s" % (c.tag, s.tag))
                continue
            seen[c.tag] = seen.get(c.tag, 0) + 1
            self.structure(c, node.subs[c.tag][2])
        for tag, (lo, hi, _) in node.subs.items():
            n = seen.get(tag, 0)
            if n < lo:
                self.error(s.number, "%s needs %s" % (s.tag, tag))
            if hi is not None and n > hi:
                self.error(s.number, "%s has %d %s, at most %d allowed" % (s.tag, n, tag, hi))

    def links(self, tops):
        """A family's partners and children point back at it."""
        for f in tops:
            if f.tag != "FAM" or not f.xref:
                continue
            for c in f.children:
                back = {"HUSB": "FAMS", "WIFE": "FAMS", "CHIL": "FAMC"}.get(c.tag)
                if not back or not c.pointer or c.value == "@VOID@":
                    continue
                person = self.xrefs.get(c.value)
                if person is not None and person.tag == "INDI" and not any(
                        p.tag == back and p.value == f.xref for p in person.children):
                    self.error(c.number, "%s %s has no %s %s" % (c.tag, c.value, back, f.xref))


def main(argv):
    quiet = "--quiet" in argv
    files = [a for a in argv[1:] if a != "--quiet"]
    if not files:
        print(__doc__)
        return 2
    head, records = build_tables()
    bad = 0
    for path in files:
        with open(path, "rb") as f:
            data = f.read()
        c = Checker(head, records)
        errors = c.check(data)
        if errors:
            bad += 1
        print("%s: %d lines, %d records, %d structures checked, %d problems" % (
            path, c.counts["lines"], c.counts["records"], c.counts["structures"], len(errors)))
        if not quiet or errors:
            for e in errors[:200]:
                print("  " + e)
            if len(errors) > 200:
                print("  ... %d more" % (len(errors) - 200))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
