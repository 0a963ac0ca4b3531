' The questions a report script asks the assistant: the individuals whose
' surname sounds like Hartley, sorted; the descendants of a man; his family
' with his wife; and an individual of another database, which the assistant
' refuses with an automation error. Ends with PASS; any wrong answer quits
' with 1.
Option Explicit

Dim folder, db, other, assistant, person, list, generations, number, description

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

' Surname Soundex code H634, sorted by surname and given name (258).
Check assistant.Soundex("Hartley") = "H634", "Soundex of Hartley"
Set list = assistant.ExtractIndividuals(3, "H634", 258)
Check IdsOf(list) = "@I4@@I1@@I3@", "Soundex extraction: " & IdsOf(list)
Set list = assistant.SortIndividuals(db.Individuals, 513)
Check IdsOf(list) = "@I4@@I2@@I1@@I3@", "sorted by given name: " & IdsOf(list)

'' Descendants (1), depth first. The individual goes in parentheses: a
' variable alone would travel by reference, and the optional argument must
' hold the object itself.
Set person = db.GetIndividualFromID("@I1@")
Set list = assistant.ExtractRelatives(1, (person))
Check IdsOf(list) = "@I1@@I3@@I4@", "descendants of @I1@: " & IdsOf(list)
Check assistant.GenerationsOfDescendants(person) = 1, "generations of descendants"
Check assistant.IsAncestor(person, db.Individuals("@I3@")), "@I1@ is an ancestor of @I3@"
Check assistant.GetFamilyFromSpouses(db.Individuals("@I2@"), person).ID = "@F1@", _
      "the family of @I2@ and @I1@"
Check assistant.GetFactEventTypeDescription("MARR") = "Marriage", "description of MARR"

' Everyone here was born long ago.
db.SetConfidentiality 100
Check person.Confidential = False, "@I1@ is not confidential"
Check person.Name.FullName = "Thomas Hartley", "@I1@ shows his name"
db.ClearConfidentiality

Set other = CreateObject("Kinfold.GEDCOMdb")
Check other.LoadGEDCOMFile(folder & "typical_walk.ged"), "loading a second database"
On Error Resume Next
generations = assistant.GenerationsOfAncestors(other.GetIndividualFromID("@I3@"))
number = Err.Number
description = Err.Description
On Error GoTo 0
Check number <> 0, "an individual of another database raises an error"
Check description = "Record not part of this GEDCOM database", "error description: " & description

WScript.Echo "PASS"
