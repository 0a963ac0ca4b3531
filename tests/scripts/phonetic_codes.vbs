' Phonetic codes from a script: Daitch-Mokotoff gives a code for each way
' of reading a name, Cologne one code, and Soundex when the method is left
' out; accented letters count as their base letter; an unknown method is an
' automation error that names it; the individuals whose surname shares a
' code with a name, sorted; and ExportHidingLiving, whose copy hides those
' born within the years asked for under the name given, keeps the others as
' they were and says so in the header, and refuses an empty name. Ends with
' PASS; any wrong answer quits with 1.
Option Explicit

Dim folder, db, assistant, codes, code, joined, list, number, description
Dim shared, copy, person, names

folder = Left(WScript.ScriptFullName, InStrRev(WScript.ScriptFullName, "\")) & "data\"

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        WScript.Quit 1
    End If
End Sub

Function IdsOf(collection)
    Dim item
    IdsOf = ""
    For Each item In collection
        IdsOf = IdsOf & item.ID
    Next
End Function

Set db = CreateObject("Kinfold.GEDCOMdb")
Check db.LoadGEDCOMFile(folder & "typical_walk.ged"), "loading typical_walk.ged"
Set assistant = db.Assistant

Set codes = assistant.PhoneticCodes("Schwarz", "dm")
Check codes.Count = 2, "Daitch-Mokotoff codes of Schwarz: " & codes.Count
Check codes(1) = "479400", "first reading of Schwarz: " & codes(1)
Check codes(2) = "474000", "second reading of Schwarz: " & codes(2)
joined = ""
For Each code In assistant.PhoneticCodes("Jackson", "DM")
    joined = joined & code & " "
Next
Check joined = "154600 145460 454600 445460 ", "readings of Jackson: " & joined

Set codes = assistant.PhoneticCodes("M" & Chr(252) & "ller-L" & Chr(252) & "denscheidt", "cologne")
Check codes.Count = 1, "Cologne codes of M" & Chr(252) & "ller-L" & Chr(252) & "denscheidt: " & codes.Count
Check codes(1) = "65752682", "Cologne code of M" & Chr(252) & "ller-L" & Chr(252) & "denscheidt: " & codes(1)
Set codes = assistant.PhoneticCodes("Stra" & Chr(223) & "e", "cologne")
Check codes(1) = "8278", "Cologne code of Stra" & Chr(223) & "e: " & codes(1)
Set codes = assistant.PhoneticCodes("Wikipedia", "cologne")
Check codes(1) = "3412", "Cologne code of Wikipedia: " & codes(1)

Set codes = assistant.PhoneticCodes("Lloyd")
Check codes.Count = 1 And codes(1) = "L430", "Soundex by default: " & codes(1)
Check assistant.PhoneticCodes("-", "dm").Count = 0, "a name without a letter has no code"

On Error Resume Next
Set codes = assistant.PhoneticCodes("Schwarz", "metaphone")
number = Err.Number
description = Err.Description
On Error GoTo 0
Check number <> 0, "an unknown method raises an error"
Check description = "Unknown phonetic method 'metaphone': use soundex, dm or cologne", _
      "error description: " & description

' Sorted by surname and given name (258): 5 is Daitch-Mokotoff, 6 Cologne.
Set list = assistant.ExtractIndividuals(5, "Hartli", 258)
Check IdsOf(list) = "@I4@@I1@@I3@", "Daitch-Mokotoff extraction: " & IdsOf(list)
Set list = assistant.ExtractIndividuals(6, "Ellisson", 258)
Check IdsOf(list) = "@I2@", "Cologne extraction: " & IdsOf(list)

' The full names of the copy's individuals, each ended by ";".
Function NamesIn(file)
    Dim text
    Set copy = CreateObject("Kinfold.GEDCOMdb")
    Check copy.LoadGEDCOMFile(file), "loading the copy " & file
    text = ""
    For Each person In copy.Individuals
        text = text & person.Name.FullName & ";"
    Next
    NamesIn = text
End Function

shared = CreateObject("Scripting.FileSystemObject").GetSpecialFolder(2) & "\kinfold-shared.ged"
Check assistant.ExportHidingLiving(shared, 200, "Private"), "export hiding those of 200 years"
names = NamesIn(shared)
Check names = "Private;Private;Private;Private;", "all four hidden: " & names
Check InStr(copy.Header.Description, "hidden: 4 of 4") > 0, "header: " & copy.Header.Description
' A database keeps its file open, and Windows replaces no open file.
Set copy = Nothing
Check assistant.ExportHidingLiving(shared), "export with the default years"
names = NamesIn(shared)
Check names = "Thomas Hartley;Margaret Ellison;William Hartley;Anne Hartley;", "none hidden: " & names
Set copy = Nothing
CreateObject("Scripting.FileSystemObject").DeleteFile shared

On Error Resume Next
assistant.ExportHidingLiving shared, 100, ""
number = Err.Number
description = Err.Description
On Error GoTo 0
Check number <> 0, "an empty name raises an error"
Check description = "LivingName must be a name of 1 to 120 characters on one line", _
      "error description: " & description

WScript.Echo "PASS"
