#!/usr/bin/env python3
"""Writes the help pages in resources/help from the texts below.

Every window's Help button and F1 open help/<topic>.html; the topic names are
the ones the windows pass. Run this after changing a text:
    python3 tools/make_help.py
"""
import html
import os

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "help")

FRAME = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>{title} - Vorlan Family Tree Help</title>
<link rel="stylesheet" href="style.css">
</head>
<body>
<nav><a href="index.html">Contents</a> &middot; <a href="getting_started.html">Getting started</a></nav>
<h1>{title}</h1>
{body}
</body>
</html>
"""

B = lambda caption: '<span class="button">' + html.escape(caption.replace("&", "")) + "</span>"

PAGES = {}


def page(topic, title, body):
    PAGES[topic] = (title, body)


page("getting_started", "Getting started: your first family tree", f"""
<p>This page takes you from an empty program to a family of three generations: you, your parents and
your children. You need no earlier knowledge of family-tree programs. Each step says which button to
press; the buttons sit in the bar across the top of the main window.</p>

<h2>1. Start the program and choose a new tree</h2>
<p>The first time Vorlan Family Tree starts there is no tree yet, so a small start menu appears.
Choose <b>Add the first person</b>. (If a tree opens instead, choose <b>Files &rarr; New Family Tree</b>.)</p>

<h2>2. Type in the first person</h2>
<p>The person editor opens. Type your family name, then press <kbd>Tab</kbd> and type your given
names. Press <kbd>Tab</kbd> again to reach the date of birth, for example <kbd>12 May 1970</kbd>.
Dates may be incomplete: type <kbd>?</kbd> for any part you do not know, such as <kbd>? May 1970</kbd>.
Set the sex with the sex box (each press of the space bar moves it on to the next choice).
Press {B("&OK")}. You now stand in the middle of the family diagram as the <b>Selected</b> person.</p>

<h2>3. Add your father and mother</h2>
<p>Press {B("&Add Person")}. A small window asks how the new person is related to you: press
{B("&Father")}. The person editor opens again, with the family name already filled in. Type your
father's given names and dates and press {B("&OK")}.</p>
<p>The program then asks whether your mother is known. Answer <b>Yes</b> and type her details in the
same way (her own family name, not her married name). Finally the marriage editor asks for the
date and place of your parents' marriage; type what you know, or leave it empty, and press
{B("&OK")}. Your parents now appear in the boxes above you.</p>
<div class="tip">If you do not know one parent, answer <b>No</b>: the program records an 'Unknown'
person in that place, which you can replace later by connecting the right person.</div>

<h2>4. Add a partner</h2>
<p>With yourself selected, press {B("&Add Person")} and choose {B("&Partner")}. Type your partner's
details, press {B("&OK")}, then enter the marriage date and place in the marriage editor.
Tick <b>Not Married</b> if you never married, or <b>Divorced</b> if the marriage ended in divorce.</p>

<h2>5. Add your children</h2>
<p>Press {B("&Add Person")} and choose {B("Chil&d")}. The program asks whether the child is the issue
of you and the partner shown; answer <b>Yes</b>. Type the child's details and press {B("&OK")}.
Repeat for each child. When a family already has children you are asked where the new one belongs
in the order of birth: type the position number shown in the list.</p>

<h2>6. Move around the tree</h2>
<p>Click any box to make that person the selected person; the diagram re-centres on them.
Click the <b>Selected</b> box (or press <kbd>Enter</kbd>) to edit the selected person.
The {B("Mo&re >>")} buttons step through further children, siblings and partners.</p>

<h2>7. Save your tree</h2>
<p>Press {B("Save")} (or choose <b>Files &rarr; Save</b>). The first time, give the tree a file name;
Family files end in <code>.vfl</code>. Save often, and make a backup now and then with
<b>Files &rarr; Backup Family Records</b>.</p>

<h2>8. Print a chart</h2>
<p>Select the oldest person (your father), press {B("&Print")} and choose
<b>Print &amp;Descendants Chart of the selected person</b>. Tick what the chart should show, press
{B("Pre&view")} to see it and {B("&Print")} to print it, or to save it as a PDF file.</p>
<p>That is all: you have built a family of three generations. The <a href="index.html">contents</a>
list a page for every window.</p>
""")

page("main", "The main window", f"""
<p>The main window shows one family at a time, centred on the <b>Selected</b> person: above are the
parents and the four grandparents, beside them the partner shown and two siblings, below up to four
children of the partnership shown. A box's colour tells the sex: one colour for men, one for women,
one for persons whose sex is not recorded.</p>
<h2>Moving around</h2>
<ul>
<li>Click a box to select that person. Click the <b>Selected</b> box, or press <kbd>Enter</kbd>, to edit the selected person.</li>
<li>{B("<< &More")} shows the next partner; {B("Mo&re >>")} the next children; {B("M&ore >>")} the next siblings.
Rest the mouse on a More button to see the whole list.</li>
<li>Keys: <kbd>Home</kbd> selects the father, <kbd>Page Up</kbd> the mother, <kbd>Left</kbd> the partner,
<kbd>Right</kbd> the first sibling shown, and <kbd>End</kbd>, <kbd>Insert</kbd>, <kbd>Down</kbd> and
<kbd>Page Down</kbd> the four children shown. <kbd>M</kbd>, <kbd>R</kbd> and <kbd>O</kbd> press the three More buttons.</li>
</ul>
<h2>The button bar</h2>
<table>
<tr><th>Button</th><th>Key</th><th>What it does</th></tr>
<tr><td>{B("&Add Person")}</td><td>A</td><td>Adds a new person related to the selected person (<a href="add_connect.html">more</a>).</td></tr>
<tr><td>{B("&Connect")}</td><td>C</td><td>Links a person already on record to the selected person (<a href="add_connect.html">more</a>).</td></tr>
<tr><td>{B("&Disconnect")}</td><td>D</td><td>Removes a link without deleting anyone (<a href="disconnect.html">more</a>).</td></tr>
<tr><td>{B("De&lete Per.")}</td><td>L</td><td>Deletes the selected person (<a href="delete.html">more</a>).</td></tr>
<tr><td>{B("&Edit Marig.")}</td><td>E</td><td>Edits the marriage shown (<a href="marriage.html">more</a>).</td></tr>
<tr><td>{B("&Select")}</td><td>S</td><td>Finds a person by name (<a href="select_person.html">more</a>).</td></tr>
<tr><td>{B("Save")}</td><td></td><td>Saves the tree to its Family file.</td></tr>
<tr><td>{B("&Undo")}</td><td>Ctrl+Z</td><td>Takes back the last change; its tool tip says which. Press it again
to go further back (<a href="undo_history.html">more</a>).</td></tr>
<tr><td>{B("&Print")}</td><td>P</td><td>Charts, lists and data sheets (<a href="print_what.html">more</a>).</td></tr>
<tr><td>{B("E&xit to Win")}</td><td></td><td>Closes the program, offering to save first.</td></tr>
</table>
<h2>Menus</h2>
<p><b>Files</b>: new tree, open, save, backup and restore, GEDCOM import and export
(<a href="gedcom_import.html">import</a>, <a href="gedcom_export.html">export</a>), printing.
<b>Person</b> and <b>Family</b>: the same commands as the buttons, plus
<a href="arrange.html">re-arranging</a> the order of partners and children.
<b>Tools</b>: <a href="relationship.html">how two persons are related</a>, <a href="orphans.html">orphan entries</a>, <a href="web_pages.html">family web pages</a>,
<a href="options.html">options</a>. <b>Help</b>: these pages, <a href="tech_info.html">technical
information</a> and the <a href="about.html">about box</a>.</p>
<h2>Trees opened read-only</h2>
<p>A Family file opens read-only when it cannot safely be changed where it is: another program has
it open, it lies on a disk that cannot be written to (a CD, a write-protected stick) or in a folder
you may not write to, or the lock file beside it (<code>.NAME.lock</code>) is a link or something
else than a lock, which the program never writes through. The title then says
<b>(read-only)</b>, the status line says so, and {B("Save")} is off: keep your changes in a file of
your own with <b>Files &rarr; Save As</b>.</p>
<p>When the computer shuts down or you log out while the program runs, it ends without asking:
changes you had not saved are offered back at the next start; otherwise nothing is left behind.</p>
<h2>Your work is safe</h2>
<p>Changes are kept in a work folder until you save. If the program or the computer stops
unexpectedly, the next start offers to restore the unsaved tree.</p>
""")

page("start_menu", "The start menu", f"""
<p>When there is no tree, the start menu offers the ways to begin:</p>
<ul>
<li><b>Add the first person</b> starts a new tree; the <a href="edit_person.html">person editor</a> opens.</li>
<li><b>Open a family file</b> opens a Family file (<code>.vfl</code>) you saved before.</li>
<li><b>Import a GEDCOM file</b> reads a tree made by another family-tree program (<a href="gedcom_import.html">more</a>).</li>
<li><b>Exit</b> closes the program.</li>
</ul>
<p>New to the program? Follow <a href="getting_started.html">Getting started</a>.</p>
""")

page("find_person", "Finding a person", f"""
<p>Type all or the first part of the family name and of the given names, then press {B("&OK")}.
When exactly one person matches, that person is selected at once; when several match, they are
listed so you can choose.</p>
<p>When the name is not found the program says so; check the spelling or type fewer letters.</p>
""")

page("select_person", "Selecting a person from the list", f"""
<p>The list shows every living person on record with number, names and dates. Type the first
letters of a name to jump to it, and double-click a line (or press {B("&OK")}) to select that person. {B("&Find")} narrows the list by name (<a href="find_person.html">more</a>).</p>
<p>When you reach this list while connecting a person, the person you pick is the one connected.</p>
""")

page("edit_person", "The person editor", f"""
<p>The person editor holds everything recorded about one person. Move between the boxes with
<kbd>Tab</kbd> or the mouse; each box is checked when you leave it.</p>
<h2>Boxes</h2>
<ul>
<li><b>Family name</b> and <b>Given names</b>: the first letter of each name is made a capital for
you, unless you switch this off in the <a href="options.html">options</a> or for this person.</li>
<li><b>Sex</b>: the space bar moves it through male, female and not recorded.</li>
<li><b>Dates</b> of birth, baptism, death and burial: type them as you know them, for example
<kbd>3 Jun 1890</kbd>, <kbd>6-3-1890</kbd>, <kbd>Jun 1890</kbd> or <kbd>1890</kbd>; use <kbd>?</kbd>
for unknown parts. A death date of just <kbd>?</kbd> means the person has died on an unknown date.
The program warns when dates are in an impossible order (death before birth, a date in the future, and so on)
and shows the age as you type.</li>
<li><b>Baptised</b>: press <kbd>Y</kbd> for Yes, <kbd>N</kbd> for No or the space bar if not known;
the baptism date and place are kept only with Yes.</li>
<li>Places, occupation, address, phone, source and notes: free text.</li>
</ul>
<h2>Buttons</h2>
<ul>
<li>{B("&OK")} saves the person. A new person is then linked into the family as you chose.</li>
<li>{B("&Cancel")} leaves without saving; when you changed something you are asked first.</li>
<li>The back and forward buttons step to the previous or next person on record; the relatives
buttons jump to the person's parents, partners, children or siblings. Search finds anyone by name.</li>
</ul>
<div class="tip">The function keys <kbd>F3</kbd> to <kbd>F12</kbd> type texts you use often, such as a
town's name, into the box you are in. Set them in the <a href="options.html">options</a>.</div>
""")

page("marriage", "The marriage editor", f"""
<p>The marriage editor records a partnership: the date of the marriage, where it took place (or
notes about it), and whether the couple divorced or never married.</p>
<ul>
<li>Type the date as in the person editor; the program checks that it does not fall before either
partner's birth or after either partner's death.</li>
<li>Tick <b>Divorced</b> when the marriage ended in divorce. Tick <b>Not Married</b> for a couple who
lived together without marrying; the date is then cleared.</li>
<li>In the place box <kbd>Ctrl</kbd>+<kbd>Enter</kbd> starts a new line; <kbd>Enter</kbd> finishes.</li>
</ul>
<p>{B("&Cancel")} while adding a partner asks whether the person just added should be deleted again,
or kept as an unrelated person.</p>
""")

page("add_connect", "Adding and connecting people", f"""
<p><b>Add Person</b> types in someone new; <b>Connect</b> links someone who is already on record, for
example after a GEDCOM import or when you find that two branches meet. Both begin with the same
question: how is the person related to the selected person?</p>
<table>
<tr><th>Choice</th><th>Meaning</th></tr>
<tr><td>{B("&Father")} / {B("&Mother")}</td><td>A parent of the selected person. Disabled when that family already has a parent recorded.</td></tr>
<tr><td>{B("&Sibling")}</td><td>A brother or sister; you choose the place in the order of birth.</td></tr>
<tr><td>{B("&Partner")}</td><td>A husband, wife or partner; with several partners you choose the order.</td></tr>
<tr><td>{B("Chil&d")}</td><td>A child; you are asked who the other parent is.</td></tr>
<tr><td>{B("&Unrelated")}</td><td>Someone with no known link yet (adding only).</td></tr>
</table>
<h2>The questions that may follow</h2>
<ul>
<li><b>Sex not recorded</b>: partners and children need the selected person's sex; choose Male or Female.</li>
<li><b>Is the other parent known?</b> Yes adds that parent first; No records an 'Unknown' parent.</li>
<li><b>Position</b>: type the number of the place in the list where the person belongs (1 for first).</li>
<li>When connecting a parent who has a partner, you are asked whether that partner is the other parent.</li>
<li>When the selected person has an 'Unknown' partner with children, you can let the connected
person take the Unknown partner's place.</li>
</ul>
<p>When a connection would make the tree impossible (a person as their own ancestor, a second father,
and so on) the program explains why and changes nothing. {B("&Undo")} takes back the last addition or connection.</p>
""")

page("disconnect", "Disconnecting a person", f"""
<p>Disconnecting removes a link but keeps everyone on record. Choose what to disconnect the selected
person from: the parents, the partner shown (with or without the children of that partnership), or
the children. A person left without any link stays on record and can be found with
<a href="select_person.html">Select</a> or cleaned up as an <a href="orphans.html">orphan entry</a>.</p>
<p>{B("&Undo")} restores the links.</p>
""")

page("delete", "Deleting a person", f"""
<p>{B("De&lete Per.")} removes the selected person from the tree after you confirm. The person's
links to parents, partners and children are removed too; the relatives stay. Deleted persons are
no longer shown, exported or printed, and their numbers are not reused.</p>
<p>{B("&Undo")} brings the person back with all links.</p>
""")

page("undo_history", "Undo, Redo and the undo history", f"""
<p>Every change you make to the records after opening a file (or starting a new tree, or importing
into it) can be taken back: editing or adding a person, a marriage, connecting, disconnecting,
deleting, re-arranging, deleting orphan entries and importing a GEDCOM file into the open tree.
{B("&Undo")} (or <b>Edit</b>, <b>Undo</b>, or <kbd>Ctrl+Z</kbd>) takes back one change each time you
press it; its tool tip names the change, for example "Undo editing of Mary Smith".</p>
<p><b>Edit</b>, <b>Redo</b> (<kbd>Ctrl+Y</kbd> or <kbd>Ctrl+Shift+Z</kbd>) puts back the change you
took back last; the menu names it. Once you make a new change, the changes you took back can no
longer be redone.</p>
<p><b>Edit</b>, <b>Undo History...</b> lists the changes of this session, newest first, with the time
each was made. Choose one and press {B("&Go to")} (or double-click it) to put the records back to just
after that change, however far back or forward it is, in one move. Changes that can still be redone
are shown in grey. The bottom row is the tree as it was when you opened it.</p>
<p>The history is kept beside the records while you work, and comes back with them when the program
recovers unsaved changes after a crash. Saving keeps it: you can still undo after saving, which marks
the tree as changed again. Opening another file, or starting a new tree, begins a fresh history.
Up to 1000 changes are kept; older ones are dropped, and the window says how many.</p>
<p>When the history cannot be written (for example because the disk is full), the program tells you
why before it makes the change and asks whether to make it anyway, without Undo.</p>
""")

page("arrange", "Re-arranging family members", f"""
<p>Puts a person's partners, or a couple's children, or the selected person's brothers and sisters,
into the right order. Select a name and move it with the up and down buttons (or the arrow keys),
then press {B("&OK")}. {B("&Cancel")} keeps the old order.</p>
""")

page("charts", "Charts on screen", f"""
<p><b>View &rarr; Charts...</b> (or <b>Charts...</b> in the menu of a right-click on a person's box in
the main window) draws the selected person's family as a chart to explore. The tabs choose the chart:</p>
<ul>
<li><b>Ancestors</b>: the person on the left, parents, grandparents and further back to the right,
2 to 10 generations.</li>
<li><b>Descendants</b>: the person at the top, children, grandchildren and further below; partners stand
beside their person, each partner's children hang from that partner's box. <b>Generations</b> set to
<i>All</i> shows every generation.</li>
<li><b>Fan</b>: the ancestors as rings of a half circle (or a full circle with <b>Full circle</b>),
3 to 9 generations; fathers on the left of their child's segment, mothers on the right.</li>
</ul>
<p>The boxes have the colours of the family view: blue for men, pink for women. A person who appears
more than once (cousins who married, for example) is drawn in full once; where the person appears
again the box has a dashed border and nothing beyond it. A short dashed stub means the tree goes on
beyond the generations shown.</p>
<h2>Moving around</h2>
<ul>
<li>Zoom with the mouse wheel or Ctrl+plus and Ctrl+minus (Ctrl+0 is 100 %). {B("F&it")} shows the
whole chart, {B("100 %")} its natural size.</li>
<li>Drag the chart, or use the scroll bars, to move it.</li>
<li>Click a person to put them at the chart's root; the main window shows them as its selected person.
Double-click to open the person's data.</li>
<li>Rest the pointer on a box to see the person's dates and places.</li>
<li>The arrow keys move from box to box; Enter puts that person at the root.</li>
</ul>
<p>The chart is drawn again after every change you make elsewhere.</p>
<h2>Saving the chart</h2>
<p>{B("&Save as...")} writes the whole chart as an SVG picture (sharp at any size; the names stay
text), a PNG picture or a one-page PDF document. A PNG picture has the resolution set in
<b>PNG resolution (dpi)</b>: 96 is the size on the screen, 300 is right for a chart to print and hang
on the wall. A picture may have at most 32,767 pixels on a side; for a larger chart choose a lower
resolution, or save it as SVG or PDF.</p>
""")

page("relationship", "How are they related?", f"""
<p><b>Tools &rarr; How Are They Related?...</b> tells how two persons of the tree are related, in plain
English and both ways: <i>Ann Smith is the second cousin once removed of Peter Clark</i>, and
<i>Peter Clark is the second cousin once removed of Ann Smith</i>.</p>
<p>The selected person comes in as the first person. Press {B("Ch&oose...")} beside <b>Second person</b>
and pick the other one in the list; {B("C&hoose...")} beside <b>First person</b> changes the first.</p>
<h2>The answer</h2>
<ul>
<li>Relations by blood, through the ancestors the two have in common: father and son, grandmother,
great-grandfather, 2nd great-grandfather; brother and sister; aunt, uncle, niece and nephew (great-uncle,
2nd great-niece); cousins (first cousin, second cousin once removed, third cousin twice removed).
<i>Half</i> means the two share only one of the ancestors: half-brother, half first cousin.</li>
<li>Partners: husband and wife, former husband or wife after a divorce, partner for a couple who did not marry.</li>
<li>Relations through one partnership: father-in-law, son-in-law, sister-in-law; step-father, step-son,
step-sister; and <i>by marriage</i> for the others (an aunt's husband is an uncle by marriage).</li>
<li>When a person's sex is not recorded, a word that fits both is used (parent, sibling), or both
words (aunt or uncle).</li>
<li>'Unknown' persons count as links like anyone else.</li>
</ul>
<p>Two persons may be related in more than one way: cousins who married, double cousins (two brothers
who married two sisters), or lines that meet again further up. Every way is listed, the closest first,
with its common ancestors. Choose a way to see the path of persons from one to the other; choose a
person of the path and press {B("S&how in Family View")} (or double-click it) to close the window and
show that person in the main window.</p>
<p>When no relationship is found, the window says how the two are linked, if at all, for example
through the marriage of a cousin of one to a cousin of the other, and shows that chain of persons.</p>
<p>The command-line tool answers the same question: <code>vft relate FILE.vfl A B</code>, with the two
persons' VFT numbers.</p>
""")

page("orphans", "Orphan entries", f"""
<p>An orphan entry is a person with no link to anyone else, often left over after disconnecting or
an import. The list shows them all; sort it by number, family name or given names. Tick the entries
to remove (or use select all) and press the delete button; you are asked twice before anything is
deleted. {B("&Undo")} on the main window brings them back.</p>
""")

page("options", "Options", f"""
<p>The options window ("Set Vorlan Family Tree Options") holds your preferences:</p>
<ul>
<li><b>On screen prompts</b>: hints on the status line as you work.</li>
<li><b>First letter auto-capitalization names</b>: capitals at the start of names as you type.</li>
<li><b>Family names in capitals</b>: family names shown, printed and exported in CAPITALS.</li>
<li><b>Colour scheme</b>: the fixed colour scheme of the family boxes.</li>
<li><b>Backup reminder</b>: reminds you to make a backup when you close the program.</li>
<li><b>Field labels</b>: your own words for family name, given names and baptism
(for example Christened); they are used in the editor, the messages and the printouts.</li>
<li><b>Function keys</b> F3 to F12: texts typed into a box of the editors when you press the key.</li>
<li><b>Password</b>: when set, the program asks for it at start (<a href="password.html">more</a>).</li>
</ul>
""")

page("password", "Password", f"""
<p>When a password is set in the <a href="options.html">options</a>, the program asks for it before
showing the tree. Type it and press {B("&OK")}; a wrong password is reported in the window and you
can try again. To stop using a password, clear it in the options. The word ERROR cannot be used.</p>
""")

page("backup", "Backup", f"""
<p>A backup is a copy of the whole tree in a Family file kept in a folder of your choice, ideally
on another disk or a memory stick. Choose the folder with {B("Select")}, or type it, and press
{B("&OK")}; then confirm the file name. Tick the reminder box to be reminded at exit when the last
backup is more than 30 days old. To go back to a backup use <b>Files &rarr; Restore Family Records</b>.</p>
""")

page("print_what", "Print what?", f"""
<p>Choose the printout:</p>
<ul>
<li><b>Data sheet</b> of the selected person: everything recorded about one person.</li>
<li><b>Descendants chart</b>: the selected person and all descendants, generation by generation.</li>
<li><b>Pedigree chart</b>: the selected person's ancestors on one page.</li>
<li><b>Complete list</b> of everyone, or of everyone with one family name.</li>
<li><b>Time line</b>: births, marriages and deaths in date order.</li>
<li><b>Family names</b>: every family name in the tree.</li>
<li><b>Family data sheet</b> of the family shown: the couple, their parents and their children.</li>
</ul>
<p>Each opens the <a href="print_preview.html">print preview</a>.</p>
""")

page("print_preview", "Print preview", f"""
<p>First tick what the printout should include in the <b>Set Items</b> panel, then press
{B("Pre&view")}. The pages appear; turn them with the page buttons or <kbd>Page Up</kbd> and
<kbd>Page Down</kbd>, and zoom in and out for detail.</p>
<ul>
<li>{B("&Save Cfg")} keeps your choices for next time; {B("&Load Cfg.")} brings back the saved ones.</li>
<li>{B("&Font..")} chooses the font; {B("&Margins..")} the margins (<a href="page_setup.html">more</a>);
{B("Prin&ter..")} the printer, paper and orientation (<a href="printer_setup.html">more</a>).</li>
<li>{B("&Print")} prints the pages you choose. Without a printer you can print to a PDF file.</li>
<li>For charts, choose how many generations (1 to 12) and on which pages the heading appears.</li>
<li>The family-names list can be saved as a text file with "Print to File".</li>
</ul>
""")

page("page_setup", "Page set-up", f"""
<p>Set the four margins, in inches or centimetres as your computer's settings say. The small picture
shows the printable area on the page; margins that leave no room to print are refused.</p>
""")

page("printer_setup", "Printer set-up", f"""
<p>Choose the printer, the paper size and the orientation (portrait or landscape). The family data
sheet needs Letter or A4 paper in landscape.</p>
""")

page("gedcom_import", "Importing a GEDCOM file", f"""
<p>GEDCOM is the common file format of family-tree programs. Choose <b>Files &rarr; GEDCOM &rarr; Import a
GEDCOM file...</b> and pick the file. The window shows where the file comes from; the import then
checks the file, reads its people, notes and families, and reports what it found. The people are
added after those already on record, so importing into an existing tree merges both.</p>
<ul>
<li>Files in any common character set are read; letters that the tree cannot store become "?".</li>
<li>A tree holds at most 15,000 persons; a larger file is refused.</li>
<li>Cancel stops the import and leaves your tree as it was.</li>
</ul>
""")

page("gedcom_export", "Exporting a GEDCOM file", f"""
<p>Writes the whole tree as a GEDCOM file that other family-tree programs can read. Enter your
name and address as the submitter (they are remembered), choose the kind of file and the file name.
Without a tick the file has the classic form that other copies of this program and older programs
read. Tick <b>GEDCOM 5.5.1 for other programs</b> for most current programs, or <b>GEDCOM 7.0 for
newer programs</b> for programs that read the current GEDCOM version (UTF-8 text, lines of any
length; a couple who did not marry is written as &ldquo;no marriage&rdquo;, a date that is not a
calendar date as a date phrase). Every form carries everything the tree holds: dates, places, notes,
sources, addresses, divorces and couples who did not marry. Deleted persons are not exported; a
family keeps its remaining partner.</p>
""")

page("web_pages", "Family web pages", f"""
<p>Builds a small web site of your family: one page per family, a list of everyone and an index of
family names, all linked together. Choose an empty folder (or let the program create one), the
page style, the colours and whether the pages end in .htm or .html, then press {B("&OK")}. Open the
pages in your browser when asked, and copy the folder to your web space to publish it.</p>
<h2>Page style</h2>
<ul>
<li><b>Modern</b> pages read well on a phone and on a desktop. Each family page shows a small family
diagram, drawn like the family view, and a card for the husband, the wife and each child. The list
of everyone has letters that jump to the family names and a box that finds a name as you type; a
list of more than about 2,000 people is split into a page per letter. The site opens on
<b>index.html</b> with the tree's name, the numbers of people and families and the date. Everything
the pages need is in the folder: nothing is fetched from the internet.</li>
<li><b>Classic</b> pages are the plain pages of earlier versions, exactly as they were. If you made
web pages before, the program keeps this style until you choose Modern.</li>
</ul>
<p>Your colours from {B("Set Text &Colours...")} are used in both styles.</p>
<p><img src="web-family-phone.png" alt="A Modern family page on a phone" width="300">
<img src="web-family-desktop.png" alt="The same family page on a desktop" width="640"></p>
<div class="tip">For privacy the birth and marriage dates of living persons are left out unless you
tick the box that includes them. Think twice before publishing details of living people.</div>
<p>If the folder already holds an <b>index.html</b> that this program did not make (for example the
front page of your own web site), Modern pages are not written there: choose another folder, such as
a new folder inside it.</p>
<p>Only the names of the site's own pages are written. A page name in the folder that is a link to
another file (or a second name of one, as backup tools make), a pipe or another user's file is
replaced by a new page; what it pointed to is never touched, and the program says how many it
replaced.</p>
""")

page("web_colours", "Web page colours", f"""
<p>Choose the background, text, link and visited-link colours of the web pages. When two of them
are the same the text would be invisible, so the program asks whether to keep the new colour.</p>
""")

page("about", "About Vorlan Family Tree", f"""
<p>The about box shows the program's version. {B("&Technical Information...")} opens the
<a href="tech_info.html">technical information</a> for a support request.</p>
""")

page("tech_info", "Technical information for support", f"""
<p>When you ask for help, include this information: the program's version, its folders, the
printer and the free disk space. Press {B("&Copy to Clipboard")} and paste it into your message.</p>
""")

INDEX = [
    ("Starting", ["getting_started", "start_menu", "main", "password"]),
    ("People and families", ["edit_person", "marriage", "add_connect", "disconnect", "delete", "arrange",
                             "find_person", "select_person", "relationship", "charts", "orphans", "undo_history"]),
    ("Printing", ["print_what", "print_preview", "page_setup", "printer_setup"]),
    ("Files and sharing", ["backup", "gedcom_import", "gedcom_export", "web_pages", "web_colours"]),
    ("Settings and support", ["options", "about", "tech_info"]),
]


def main():
    os.makedirs(OUT, exist_ok=True)
    listed = set()
    parts = ["<p>Vorlan Family Tree keeps the records of your family and draws, prints and shares them. "
             "New here? Start with <a href=\"getting_started.html\">Getting started</a>.</p>"]
    for heading, topics in INDEX:
        parts.append(f"<h2>{html.escape(heading)}</h2>\n<ul>")
        for t in topics:
            listed.add(t)
            parts.append(f'<li><a href="{t}.html">{html.escape(PAGES[t][0])}</a></li>')
        parts.append("</ul>")
    missing = set(PAGES) - listed
    assert not missing, missing
    PAGES["index"] = ("Contents", "\n".join(parts))
    for topic, (title, body) in PAGES.items():
        with open(os.path.join(OUT, topic + ".html"), "w", encoding="utf-8", newline="\n") as f:
            f.write(FRAME.format(title=html.escape(title), body=body.strip()))


if __name__ == "__main__":
    main()
