"""Parser for the subset of IDL that kinfold.idl uses.

The file is written one declaration per line, but the parser works on tokens
so that line breaks, comments and attribute order do not matter. Anything it
does not understand stops the build with the file name and line number: a
silently skipped member would make the two builds disagree.
"""

import re

from .model import (CoClass, Definition, DispInterface, Enum, Guid, Interface,
                    Library, Member, Param, TypeRef)

_TOKEN = re.compile(r"""
    (?P<space>[ \t\r\n]+)
  | (?P<comment>//[^\n]*|/\*.*?\*/)
  | (?P<pre>\#[^\n]*)
  | (?P<string>"(?:[^"\\\n]|\\.)*")
  | (?P<word>[A-Za-z_][A-Za-z0-9_]*)
  | (?P<number>0[xX][0-9A-Fa-f]+|[0-9]+(?:\.[0-9]+)?)
  | (?P<punct>.)
""", re.VERBOSE | re.DOTALL)

_WELL_KNOWN_DISPIDS = {
    "DISPID_VALUE": 0,
    "DISPID_UNKNOWN": -1,
    "DISPID_PROPERTYPUT": -3,
    "DISPID_NEWENUM": -4,
    "DISPID_EVALUATE": -5,
    "DISPID_CONSTRUCTOR": -6,
    "DISPID_DESTRUCTOR": -7,
    "DISPID_COLLECT": -8,
}

_MEMBER_KINDS = ("propget", "propput", "propputref")


class IdlError(Exception):
    pass


class _Token:
    __slots__ = ("kind", "text", "line", "start", "end")

    def __init__(self, kind, text, line, start, end):
        self.kind, self.text, self.line, self.start, self.end = kind, text, line, start, end


def _tokenize(source):
    tokens, line = [], 1
    for match in _TOKEN.finditer(source):
        kind, text = match.lastgroup, match.group()
        if kind not in ("space", "comment", "pre"):
            tokens.append(_Token(kind, text, line, match.start(), match.end()))
        line += text.count("\n")
    tokens.append(_Token("end", "", line, len(source), len(source)))
    return tokens


def _signed32(value):
    value &= 0xFFFFFFFF
    return value - (1 << 32) if value & 0x80000000 else value


def ParseInteger(text, constants=None):
    """An integer literal, a negated one, or a known constant name."""
    text = text.strip()
    negative = text.startswith("-")
    body = text[1:].strip() if negative else text
    if re.fullmatch(r"0[xX][0-9A-Fa-f]+|[0-9]+", body):
        value = int(body, 0)
    elif constants is not None and body in constants:
        value = constants[body]
    else:
        raise ValueError(text)
    return _signed32(-value if negative else value)


class _Attributes:
    """One [ ... ] block: ordered (name, raw argument or None) pairs."""

    def __init__(self, items=()):
        self.items = list(items)

    def has(self, name):
        return any(n == name for n, _ in self.items)

    def arg(self, name):
        return next((a for n, a in self.items if n == name), None)

    def flags(self, ignore=()):
        return [n for n, a in self.items if a is None and n not in ignore]


class _Parser:
    def __init__(self, source, filename):
        self.source = source
        self.filename = filename
        self.tokens = _tokenize(source)
        self.pos = 0
        self.result = Definition(filename)

    # -- token helpers ---------------------------------------------------
    def peek(self, offset=0):
        return self.tokens[min(self.pos + offset, len(self.tokens) - 1)]

    def next(self):
        token = self.peek()
        self.pos += 1
        return token

    def fail(self, message, token=None):
        token = token or self.peek()
        raise IdlError("%s:%d: %s" % (self.filename, token.line, message))

    def accept(self, text):
        if self.peek().text == text and self.peek().kind != "string":
            self.pos += 1
            return True
        return False

    def expect(self, text):
        if not self.accept(text):
            self.fail("expected '%s' but found '%s'" % (text, self.peek().text))

    def word(self):
        token = self.next()
        if token.kind != "word":
            self.fail("expected a name but found '%s'" % token.text, token)
        return token.text

    def raw_parenthesized(self):
        """The source text between '(' and its matching ')'."""
        open_token = self.next()
        depth = 1
        while depth:
            token = self.next()
            if token.kind == "end":
                self.fail("unbalanced parentheses", open_token)
            if token.kind == "punct":
                depth += {"(": 1, ")": -1}.get(token.text, 0)
        return self.source[open_token.end:self.tokens[self.pos - 1].start].strip()

    def skip_statement(self):
        while not self.accept(";"):
            if self.peek().kind == "end":
                self.fail("missing ';'")
            if self.peek().text == "(":
                self.raw_parenthesized()
            else:
                self.next()

    def attributes(self):
        if not self.accept("["):
            return _Attributes()
        items = []
        while not self.accept("]"):
            name = self.word()
            arg = self.raw_parenthesized() if self.peek().text == "(" else None
            items.append((name, arg))
            if not self.accept(","):
                self.expect("]")
                break
        return _Attributes(items)

    def uuid(self, attrs, what):
        text = attrs.arg("uuid")
        if text is None:
            self.fail("%s has no uuid" % what)
        text = text.strip('"').lower()
        if not re.fullmatch(r"[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}", text):
            self.fail("malformed uuid '%s'" % text)
        return Guid(text)

    # -- declarations ----------------------------------------------------
    def parse(self):
        self.declarations(top_level=True)
        return self.result

    def declarations(self, top_level):
        while True:
            if top_level and self.peek().kind == "end":
                return
            if not top_level and self.accept("}"):
                self.accept(";")
                return
            attrs = self.attributes()
            keyword = self.word()
            handler = {
                "import": self.skip_statement,
                "importlib": self.skip_statement,
                "cpp_quote": self.skip_statement,
                "midl_pragma": self.skip_statement,
                "typedef": lambda: self.typedef(attrs),
                "enum": lambda: self.enum(attrs),
                "interface": lambda: self.interface(attrs),
                "dispinterface": lambda: self.dispinterface(attrs),
                "coclass": lambda: self.coclass(attrs),
                "library": lambda: self.library(attrs),
            }.get(keyword)
            if handler is None:
                self.fail("unsupported declaration '%s'" % keyword, self.tokens[self.pos - 1])
            handler()

    def typedef(self, outer_attrs):
        self.attributes()
        if self.word() != "enum":
            self.fail("only enumerations may be declared with typedef", self.tokens[self.pos - 1])
        self.enum(outer_attrs, typedef=True)

    def enum(self, attrs, typedef=False):
        tag = self.word() if self.peek().kind == "word" else None
        if self.accept(";"):
            return  # a reference inside the library block
        self.expect("{")
        constants = {c: v for e in self.result.enums for c, v in e.values}
        values, next_value = [], 0
        while not self.accept("}"):
            name = self.word()
            if self.accept("="):
                start = self.peek()
                while self.peek().text not in (",", "}") and self.peek().kind != "end":
                    self.next()
                text = self.source[start.start:self.tokens[self.pos - 1].end]
                try:
                    next_value = ParseInteger(text, constants)
                except ValueError:
                    self.fail("cannot evaluate the value '%s'" % text, start)
            values.append((name, next_value))
            constants[name] = next_value
            next_value += 1
            if not self.accept(","):
                self.expect("}")
                break
        alias = self.word() if typedef else tag
        self.expect(";")
        self.result.enums.append(Enum(alias or tag, values))

    def interface(self, attrs):
        name_token = self.peek()
        name = self.word()
        if self.accept(";"):
            return  # forward declaration
        self.expect(":")
        base = self.word()
        self.expect("{")
        members = []
        while not self.accept("}"):
            members.append(self.member())
        self.accept(";")
        self.result.interfaces.append(Interface(
            name, base, self.uuid(attrs, name), attrs.flags(ignore=("object",)),
            members, name_token.line, attrs.arg("helpstring") or ""))

    def member(self):
        attrs = self.attributes()
        line = self.peek().line
        if self.word() != "HRESULT":
            self.fail("members must return HRESULT", self.tokens[self.pos - 1])
        name = self.word()
        kinds = [k for k in _MEMBER_KINDS if attrs.has(k)]
        if len(kinds) > 1:
            self.fail("'%s' has more than one property kind" % name)
        id_text = attrs.arg("id")
        if id_text is None:
            self.fail("'%s' has no id()" % name)
        try:
            dispid = ParseInteger(id_text, _WELL_KNOWN_DISPIDS)
        except ValueError:
            self.fail("cannot read the id '%s' of '%s'" % (id_text, name))
        params = self.params()
        self.expect(";")
        flags = attrs.flags(ignore=_MEMBER_KINDS)
        return Member(name, kinds[0] if kinds else "method", dispid, params, flags, line,
                      attrs.arg("helpstring") or "")

    def params(self):
        self.expect("(")
        params = []
        if self.peek().text == "void" and self.peek(1).text == ")":
            self.next()
        while not self.accept(")"):
            params.append(self.param())
            if not self.accept(","):
                self.expect(")")
                break
        return params

    def param(self):
        attrs = self.attributes()
        line = self.peek().line
        words, pointers = [], 0
        while self.peek().text not in (",", ")"):
            token = self.peek()
            if token.kind == "end":
                self.fail("unterminated parameter list")
            if token.text == "*":
                pointers += 1
                self.next()
            elif token.text == "(":
                words[-1] += "(" + self.raw_parenthesized() + ")"
            elif token.kind == "word":
                words.append(self.next().text)
            else:
                self.fail("unexpected '%s' in a parameter" % token.text)
        if len(words) < 2:
            self.fail("a parameter needs a type and a name")
        name = words.pop()
        direction = {(True, False): "in", (False, True): "out",
                     (True, True): "inout"}.get((attrs.has("in"), attrs.has("out")), "in")
        return Param(name, TypeRef(" ".join(words), pointers), direction,
                     retval=attrs.has("retval"), optional=attrs.has("optional"),
                     default=attrs.arg("defaultvalue"), line=line)

    def dispinterface(self, attrs):
        name = self.word()
        if self.accept(";"):
            return
        self.expect("{")
        depth = 1
        while depth:
            token = self.next()
            if token.kind == "end":
                self.fail("unterminated dispinterface '%s'" % name)
            depth += {"{": 1, "}": -1}.get(token.text, 0) if token.kind == "punct" else 0
        self.accept(";")
        self.result.dispinterfaces.append(DispInterface(name, self.uuid(attrs, name)))

    def coclass(self, attrs):
        name = self.word()
        self.expect("{")
        entries = []
        while not self.accept("}"):
            entry_attrs = self.attributes()
            keyword = self.word()
            if keyword not in ("interface", "dispinterface"):
                self.fail("expected interface or dispinterface in coclass '%s'" % name)
            entries.append((self.word(), entry_attrs.flags(), keyword == "dispinterface"))
            self.expect(";")
        self.accept(";")
        self.result.coclasses.append(CoClass(
            name, self.uuid(attrs, name), attrs.flags(), entries))

    def library(self, attrs):
        name = self.word()
        self.expect("{")
        helpstring = attrs.arg("helpstring") or '""'
        self.result.library = Library(name, self.uuid(attrs, name),
                                      attrs.arg("version") or "0.0", helpstring[1:-1])
        self.declarations(top_level=False)


def ParseIdl(source, filename):
    definition = _Parser(source, filename).parse()
    _Check(definition, filename)
    return definition


def _Check(definition, filename):
    """Semantic checks the dispatch tables rely on."""
    seen = set()
    for iface in definition.interfaces:
        for member in iface.members:
            key = (member.name.lower(), member.kind)
            if (iface.name, key) in seen:
                raise IdlError("%s:%d: %s.%s is declared twice as %s" % (
                    filename, member.line, iface.name, member.name, member.kind))
            seen.add((iface.name, key))
            if member.kind in ("propput", "propputref") and not member.in_params():
                raise IdlError("%s:%d: %s.%s: a property put needs the value parameter" % (
                    filename, member.line, iface.name, member.name))
            retvals = [p for p in member.params if p.retval]
            if len(retvals) > 1 or (retvals and member.params[-1] is not retvals[0]):
                raise IdlError("%s:%d: %s.%s: the retval must be the one last parameter" % (
                    filename, member.line, iface.name, member.name))
