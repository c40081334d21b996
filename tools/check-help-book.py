#!/usr/bin/env python3
"""Checks the help book in src/resources/help before qhelpgenerator sees it.

Help context numbers in use (the program opens topic NN for context NN):
  from the command hints (menu items, buttons and toolbar buttons of each command):
     2 Open Album (1)          3 Save Album (2)          7 Copy (3)             8 Setup Options (18)
     9 Copy All (4)           10 Move Up (16)           11 Move Down (17)      13 Move (8)
    14 Move All (9)           15 Delete (5)             16 Delete All (6)      17 Add to Queue (12)
    18 Add All (13)           19 Remove (14)            20 Remove All (15)     21 File Info (7)
    22 Rename (10)            23 Rename All (11)        24 Update CD Info (24) 25 Play the CD (26)
    26 Stop (22)              27 Pause (21)             28 Eject CD (25)       31 Next (23)
    32 Exit (19)              33 Play (20)              36 Help Contents (27)  37 Help Search (28)
    38 How to Use Help (29)   39 About (30)             41 Introduction (32)   42 Technical Documents (33)
    43 Tip of the Day (34)
  from the hints of the window's areas (negative tags):
    48 drive selector (-1)    29 CD information (-2)    51 directory list (-3) 30 play modes (-4)
    47 filters (-5)           52 Files/CD-Audio (-6)    53 View/Hide Path (-7) 54 Add to Top (-8)
    55 roll-up buttons (-9)   46 file and CD lists (-10) 44 queue (-11)        57 toolbar "!" (-12)
  the main window and its background picture: 35 (the main topic, "Sonorail")
Not used by any control: 4, 5, 6, 12, 34, 40, 45, 49, 50, 56. They still have topics (albums,
starting and D-Bus control, files and settings, keys, media kinds, welcome window, viewer, time
display, information and status bars, toolbar), so every number from 2 to 57 opens a page.

Checks: every context number 2..57 has topic-NN.html and exactly one index keyword with
id="context-NN" pointing at it; every link, image and style sheet in every page (and every
table-of-contents and keyword reference) resolves to a file of the book, anchors included; every
file of the book is listed in the .qhp and every listed file exists; every page links to the
contents page; topics end with related topics; the index has enough keywords; the collection
project builds and registers the book. With --qch, a built sonorail.qch is checked too.

Prints each problem and exits with 1 when there is any, 0 otherwise.
"""
import argparse
import html.parser
import os
import re
import sqlite3
import sys
import urllib.parse
import xml.etree.ElementTree as ElementTree

CONTEXTS_IN_USE = [2, 3, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27,
                   28, 29, 30, 31, 32, 33, 35, 36, 37, 38, 39, 41, 42, 43, 44, 46, 47, 48, 51, 52, 53,
                   54, 55, 57]
ALL_CONTEXTS = range(2, 58)
MAIN_CONTEXT = 35
MINIMUM_KEYWORDS = 150
CONTENTS_PAGE = "contents.html"
PROJECT_FILE = "sonorail.qhp"
COLLECTION_PROJECT_FILE = "sonorail.qhcp"
BOOK_FILE = "sonorail.qch"
# Files beside the pages that are not part of the book itself.
NOT_IN_BOOK = {PROJECT_FILE, COLLECTION_PROJECT_FILE, BOOK_FILE, "sonorail.qhc"}


def topic_file(context):
    return "topic-%02d.html" % context


class PageScan(html.parser.HTMLParser):
    """The references and anchors of one HTML page."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.references = []  # (what, target)
        self.anchors = set()
        self.title = ""
        self.headings = []
        self.forbidden = []
        self._in_title = False
        self._heading = None

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        if "id" in attributes:
            self.anchors.add(attributes["id"])
        if tag == "a":
            if "name" in attributes:
                self.anchors.add(attributes["name"])
            if "href" in attributes:
                self.references.append(("link", attributes["href"]))
        elif tag == "img":
            self.references.append(("image", attributes.get("src", "")))
        elif tag == "link" and attributes.get("rel", "").lower() == "stylesheet":
            self.references.append(("style sheet", attributes.get("href", "")))
        elif tag in ("script", "iframe", "object", "embed", "form"):
            self.forbidden.append(tag)
        elif tag == "title":
            self._in_title = True
        elif tag in ("h1", "h2", "h3"):
            self._heading = ""

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False
        elif tag in ("h1", "h2", "h3") and self._heading is not None:
            self.headings.append(self._heading.strip())
            self._heading = None

    def handle_data(self, data):
        if self._in_title:
            self.title += data
        if self._heading is not None:
            self._heading += data


class Book:
    def __init__(self, directory):
        self.directory = directory
        self.problems = []
        self.pages = {}  # file name -> PageScan

    def problem(self, text):
        self.problems.append(text)

    def path(self, name):
        return os.path.join(self.directory, name)

    def files_on_disk(self):
        names = set()
        for root, dirs, files in os.walk(self.directory):
            dirs[:] = [d for d in dirs if not d.startswith(".")]
            for name in files:
                relative = os.path.relpath(os.path.join(root, name), self.directory).replace(os.sep, "/")
                if not name.startswith(".") and relative not in NOT_IN_BOOK:
                    names.add(relative)
        return names

    def read_text(self, name):
        try:
            with open(self.path(name), "rb") as f:
                return f.read().decode("utf-8")
        except UnicodeDecodeError as error:
            self.problem("%s: not UTF-8 (%s)" % (name, error))
        except OSError as error:
            self.problem("%s: cannot be read (%s)" % (name, error.strerror))
        return None

    def scan_pages(self, names):
        for name in sorted(n for n in names if n.endswith((".html", ".htm")) and os.path.isfile(self.path(n))):
            text = self.read_text(name)
            if text is None:
                continue
            scan = PageScan()
            scan.feed(text)
            scan.close()
            self.pages[name] = scan

    def resolve(self, source, target, what):
        """Checks that `target`, referred to from the book file `source`, is a file of the book
        (and, for a page, that its anchor exists)."""
        parts = urllib.parse.urlsplit(target)
        if parts.scheme or parts.netloc:
            self.problem("%s: %s %r leaves the book" % (source, what, target))
            return
        if not parts.path and not parts.fragment:
            self.problem("%s: empty %s" % (source, what))
            return
        name = source
        if parts.path:
            name = os.path.normpath(os.path.join(os.path.dirname(source), urllib.parse.unquote(parts.path)))
            name = name.replace(os.sep, "/")
            exists = not name.startswith("../") and os.path.isfile(self.path(name))
            if not exists or name not in self.listed:
                where = "is not listed in %s" % PROJECT_FILE if exists else "does not exist"
                self.problem("%s: %s %r %s" % (source, what, target, where))
                return
        if parts.fragment:
            page = self.pages.get(name)
            if page is None or urllib.parse.unquote(parts.fragment) not in page.anchors:
                self.problem("%s: %s %r: no anchor %r in %s" % (source, what, target, parts.fragment, name))

    def check_project(self):
        self.listed = set()
        try:
            project = ElementTree.parse(self.path(PROJECT_FILE)).getroot()
        except (OSError, ElementTree.ParseError) as error:
            self.problem("%s: cannot be read (%s)" % (PROJECT_FILE, error))
            return None
        if not project.findtext("namespace", "").strip():
            self.problem("%s: no namespace" % PROJECT_FILE)
        if not project.findtext("virtualFolder", "").strip():
            self.problem("%s: no virtual folder" % PROJECT_FILE)
        for listed in project.iter("file"):
            name = (listed.text or "").strip()
            if name in self.listed:
                self.problem("%s: %s listed twice" % (PROJECT_FILE, name))
            self.listed.add(name)
            if not os.path.isfile(self.path(name)):
                self.problem("%s: listed file %s does not exist" % (PROJECT_FILE, name))
        return project

    def check_listing(self):
        for name in sorted(self.files_on_disk() - self.listed):
            self.problem("%s is not listed in %s" % (name, PROJECT_FILE))

    def check_references(self, project):
        for name, page in sorted(self.pages.items()):
            for what, target in page.references:
                self.resolve(name, target, what)
            for tag in page.forbidden:
                self.problem("%s: <%s> is not for the help window" % (name, tag))
            if not page.title.strip():
                self.problem("%s: no title" % name)
            if name != CONTENTS_PAGE and not any(t == CONTENTS_PAGE for w, t in page.references if w == "link"):
                self.problem("%s: no link to %s" % (name, CONTENTS_PAGE))
        for name in sorted(n for n in self.listed if n.endswith(".css")):
            text = self.read_text(name) or ""
            for target in re.findall(r"url\(\s*['\"]?([^'\")]+)", text):
                self.resolve(name, target.strip(), "url()")
        if project is None:
            return
        sections = list(project.iter("section"))
        if not sections:
            self.problem("%s: empty table of contents" % PROJECT_FILE)
        for section in sections:
            self.resolve(PROJECT_FILE, section.get("ref", ""), "contents entry %r" % section.get("title"))
        for keyword in project.iter("keyword"):
            self.resolve(PROJECT_FILE, keyword.get("ref", ""), "keyword %r" % keyword.get("name"))
        in_contents = {urllib.parse.urlsplit(s.get("ref", "")).path for s in sections}
        for name in sorted(self.pages):
            if name not in in_contents:
                self.problem("%s is missing from the table of contents" % name)

    def check_contexts(self, project):
        keywords = list(project.iter("keyword")) if project is not None else []
        by_id = {}
        for keyword in keywords:
            if keyword.get("id"):
                by_id.setdefault(keyword.get("id"), []).append(keyword)
        for context in ALL_CONTEXTS:
            name = topic_file(context)
            in_use = "in use" if context in CONTEXTS_IN_USE else "not in use"
            if name not in self.pages:
                self.problem("context %d (%s): no page %s" % (context, in_use, name))
            identifier = "context-%02d" % context
            found = by_id.get(identifier, [])
            if len(found) != 1:
                self.problem("context %d: %d keywords with id %s, need exactly one" % (context, len(found), identifier))
            elif urllib.parse.urlsplit(found[0].get("ref", "")).path != name:
                self.problem("context %d: keyword %s points at %s, not %s" % (context, identifier, found[0].get("ref"), name))
            page = self.pages.get(name)
            if page is not None and context != MAIN_CONTEXT and "Related topics" not in page.headings:
                self.problem("%s: no \"Related topics\"" % name)
        names = {k.get("name") for k in keywords}
        if len(names) < MINIMUM_KEYWORDS:
            self.problem("%s: %d different index keywords, want at least %d" % (PROJECT_FILE, len(names), MINIMUM_KEYWORDS))

    def check_collection_project(self):
        try:
            collection = ElementTree.parse(self.path(COLLECTION_PROJECT_FILE)).getroot()
        except (OSError, ElementTree.ParseError) as error:
            self.problem("%s: cannot be read (%s)" % (COLLECTION_PROJECT_FILE, error))
            return
        inputs = [e.text.strip() for e in collection.iter("input") if e.text]
        outputs = [e.text.strip() for e in collection.iter("output") if e.text]
        registered = [e.text.strip() for e in collection.findall("./docFiles/register/file") if e.text]
        if inputs != [PROJECT_FILE] or outputs != [BOOK_FILE]:
            self.problem("%s: should generate %s from %s" % (COLLECTION_PROJECT_FILE, BOOK_FILE, PROJECT_FILE))
        if registered != [BOOK_FILE]:
            self.problem("%s: should register %s" % (COLLECTION_PROJECT_FILE, BOOK_FILE))

    def check_built_book(self, book):
        """The compiled book: each context identifier names a page stored in it."""
        try:
            database = sqlite3.connect("file:%s?mode=ro" % urllib.parse.quote(os.path.abspath(book)), uri=True)
            stored = {row[0] for row in database.execute("SELECT Name FROM FileNameTable")}
            identifiers = dict(database.execute(
                "SELECT IndexTable.Identifier, FileNameTable.Name FROM IndexTable "
                "JOIN FileNameTable ON IndexTable.FileId = FileNameTable.FileId "
                "WHERE IndexTable.Identifier IS NOT NULL"))
        except sqlite3.Error as error:
            self.problem("%s: cannot be read as a help book (%s)" % (book, error))
            return
        for context in ALL_CONTEXTS:
            identifier = "context-%02d" % context
            if identifiers.get(identifier) != topic_file(context):
                self.problem("%s: %s leads to %s, not %s" % (book, identifier, identifiers.get(identifier), topic_file(context)))
        for name in sorted(self.listed - stored):
            self.problem("%s: %s is missing" % (book, name))


def main():
    default_directory = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources", "help")
    parser = argparse.ArgumentParser(description="Checks Sonorail's help book.")
    parser.add_argument("directory", nargs="?", default=default_directory, help="the help book's sources")
    parser.add_argument("--qch", help="also check this built sonorail.qch")
    arguments = parser.parse_args()

    book = Book(os.path.normpath(arguments.directory))
    project = book.check_project()
    book.scan_pages(book.listed | book.files_on_disk())
    book.check_listing()
    book.check_references(project)
    book.check_contexts(project)
    book.check_collection_project()
    if arguments.qch:
        book.check_built_book(arguments.qch)

    for text in book.problems:
        print(text)
    if book.problems:
        print("%d problem(s) in the help book" % len(book.problems))
        return 1
    print("help book: %d pages, %d contexts, no problems" % (len(book.pages), len(ALL_CONTEXTS)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
