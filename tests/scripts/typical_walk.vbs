' The walk a report makes: for each individual the full name, sex, birth
' date and place, death date, parents and number of spouse families; then
' each family's partners, marriage and children, and a citation's footnote. Also the automation error a
' script meets when it keeps a note whose file has been replaced.
' Ends with PASS; any wrong answer quits with 1.
Option Explicit

Dim folder, db, person, family, report, note, text, number, description

folder = Left(WScript.ScriptFullName, InStrRev(WScript.ScriptFullName, "\")) & "data\"

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        WScript.Quit 1
    End If
End Sub

Function NameOf(individual)
    If individual Is Nothing Then
        NameOf = "-"
    Else
        NameOf = individual.Name.FullName
    End If
End Function

Function EventText(fact)
    EventText = "-"
    If fact Is Nothing Then Exit Function
    EventText = fact.Date
    If Not fact.Place Is Nothing Then EventText = EventText & " at " & fact.Place.Name
End Function

Set db = CreateObject("Kinfold.GEDCOMdb")
Check db.LoadGEDCOMFile(folder & "typical_walk.ged"), "loading typical_walk.ged"

report = ""
For Each person In db.Individuals
    report = report & person.ID & "|" & person.Name.FullName & "|" & person.Sex & "|" & _
             EventText(person.Birth) & "|" & EventText(person.Death) & "|" & _
             NameOf(person.Father) & "|" & NameOf(person.Mother) & "|" & _
             person.SpouseFamilies.Count & vbLf
Next
Check report = _
    "@I1@|Thomas Hartley|M|14 MAR 1841 at Whitby, Yorkshire, England|2 NOV 1903|-|-|1" & vbLf & _
    "@I2@|Margaret Ellison|F|ABT 1845|-|-|-|1" & vbLf & _
    "@I3@|William Hartley|M|8 JUN 1868 at Whitby, Yorkshire, England|-|Thomas Hartley|Margaret Ellison|0" & vbLf & _
    "@I4@|Anne Hartley|?|-|-|Thomas Hartley|Margaret Ellison|0" & vbLf, _
    "individuals report:" & vbLf & report

' A missing birth with blank events asked for: an empty event, not Nothing.
db.ReturnBlankEvents = True
Check db.Individuals("@I4@").Birth.Date = "", "blank birth date"
db.ReturnBlankEvents = False

report = ""
For Each family In db.Families
    report = report & family.ID & "|" & NameOf(family.Husband) & "|" & NameOf(family.Wife) & "|" & _
             EventText(family.Married) & "|" & family.Children.Count & "|" & _
             family.Children(1).Name.GivenName & vbLf
Next
Check report = "@F1@|Thomas Hartley|Margaret Ellison|4 MAY 1866 at Whitby, Yorkshire, England|2|William" & vbLf, _
    "families report:" & vbLf & report

' The last step of the typical request: a citation's footnote, in the default
' format and in one the script sets.
Dim citation
Set citation = db.Individuals("@I1@").Sources(1)
Check citation.Footnote = "Church of England. Parish register of St Mary, Whitby. Entry 97.  " & _
    "North Yorkshire County Record Office.PR/WHI/1868.", "default footnote: " & citation.Footnote
db.SourceFootnoteFormat = "%t, %p (%R%r%R)"
Check citation.Footnote = "Parish register of St Mary, Whitby, Entry 97 (North Yorkshire County Record Office)", _
    "footnote in a set format: " & citation.Footnote
WScript.Echo "footnote: " & citation.Footnote

' A note kept across a load of another file has lost its record.
Set note = db.Individuals("@I1@").Notes(1)
Check note.ID = "@N1@", "the note pointer names @N1@"
Check db.LoadGEDCOMFile(folder & "three_people.ged"), "loading three_people.ged"
On Error Resume Next
text = note.Note
number = Err.Number
description = Err.Description
On Error GoTo 0
Check number <> 0, "reading a lost note raises an error"
Check description = "Error: GEDCOM file is corrupt.  Invalid Reference", _
      "error description: " & description

WScript.Echo "PASS"
