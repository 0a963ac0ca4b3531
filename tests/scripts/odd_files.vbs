' Files that are not well formed, from a script. A NAME two levels under
' its INDI still names the individual, and a SEX there still gives the
' sex. A file with a pointer that names no record fails to load by default,
' with LoadError saying which line; with the tolerant options of the
' database it loads, the line is left out, a raw line break continues the
' note before it, and DroppedLines lists both. Ends with PASS; any wrong
' answer quits with 1.
Option Explicit

Dim folder, db, person, dropped

folder = Left(WScript.ScriptFullName, InStrRev(WScript.ScriptFullName, "\")) & "data\"

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        WScript.Quit 1
    End If
End Sub

Set db = CreateObject("Kinfold.GEDCOMdb")
Check db.LoadGEDCOMFile(folder & "level_jump.ged"), "loading level_jump.ged"
Set person = db.GetIndividualFromID("@I1@")
Check person.Name.FullName = "Mary Jones", "a NAME two levels down: " & person.Name.FullName
Check person.Names.Count = 1, "names: " & person.Names.Count
Check person.Sex = "F", "sex after the jump: " & person.Sex
Check db.GetIndividualFromID("@I2@").Sex = "M", "a SEX two levels down"

Check db.DropDanglingPointers = False, "DropDanglingPointers starts off"
Check db.ReadLongLines = False, "ReadLongLines starts off"
Check db.JoinLinesWithoutLevel = False, "JoinLinesWithoutLevel starts off"
Check Not db.LoadGEDCOMFile(folder & "dangling_pointer.ged"), "a dangling pointer fails the load"
Check db.LoadError = "line 4: FAMS @F9@ names no record", "LoadError: " & db.LoadError

db.DropDanglingPointers = True
db.ReadLongLines = True
db.JoinLinesWithoutLevel = True
Check db.LoadGEDCOMFile(folder & "dangling_pointer.ged"), "a tolerant load"
Check db.LoadError = "", "LoadError after a load that succeeded: " & db.LoadError
Set person = db.GetIndividualFromID("@I1@")
Check person.SpouseFamilyLinks.Count = 0, "the dangling link is left out"
Check person.Sex = "F", "the lines after the raw line break are read"
Check person.Notes(1).Note = "First line" & Chr(10) & "second line", "note: " & person.Notes(1).Note
Set dropped = db.DroppedLines
Check dropped.Count = 2, "dropped lines: " & dropped.Count
Check dropped(1) = "line 4 in @I1@: FAMS @F9@ names no record", "first: " & dropped(1)
Check dropped(2) = "line 6 in @I1@: ""second line"" has no level number; read as part of the line before it", "second: " & dropped(2)

WScript.Echo "PASS"
