' Automatic text decoding from a script: the database's TextEncoding
' starts as "bytes", takes "auto", refuses anything else with an automation
' error, and then an ANSEL file and a UTF-16 one read the same accented
' name. Ends with PASS; any wrong answer quits with 1.
Option Explicit

Dim folder, db, person, expected, file, number

folder = Left(WScript.ScriptFullName, InStrRev(WScript.ScriptFullName, "\")) & "data\"

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        WScript.Quit 1
    End If
End Sub

expected = "Jos" & Chr(233) & " N" & Chr(250) & Chr(241) & "ez"

Set db = CreateObject("Kinfold.GEDCOMdb")
Check db.TextEncoding = "bytes", "TextEncoding of a new database: " & db.TextEncoding
On Error Resume Next
db.TextEncoding = "latin"
number = Err.Number
On Error GoTo 0
Check number <> 0, "TextEncoding takes bytes or auto only"
Check db.TextEncoding = "bytes", "a refused TextEncoding leaves the old one"

db.TextEncoding = "auto"
For Each file In Array("encoding_ansel.ged", "encoding_utf16.ged")
    Check db.LoadGEDCOMFile(folder & file), "loading " & file
    Set person = db.GetIndividualFromID("@I1@")
    Check person.Name.FullName = expected, file & ": " & person.Name.FullName
    Check person.Notes(1).Note = "Montr" & Chr(233) & "al", file & ": " & person.Notes(1).Note
Next

WScript.Echo "PASS"
