' How two people are related, from a script: the closest relationship by
' its default member, its kind, common ancestors and path, each of several
' by For Each, the host's Tag, none between a person and himself, and an
' automation error for an individual of another database. Ends with PASS;
' any wrong answer quits with 1.
Option Explicit

Dim folder, db, other, assistant, found, relationship, names, number, description

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

Set found = assistant.Relationship(db.GetIndividualFromID("@I1@"), db.GetIndividualFromID("@I3@"))
Check found.Count = 1, "relationships of a father to his son: " & found.Count
Set relationship = found(1)
Check relationship.Name = "father", "name: " & relationship.Name
Check relationship.Kind = "blood", "kind: " & relationship.Kind
Check IdsOf(relationship.CommonAncestors) = "@I1@", "common ancestors: " & IdsOf(relationship.CommonAncestors)
Check IdsOf(relationship.Path) = "@I1@@I3@", "path: " & IdsOf(relationship.Path)
relationship.Tag = "checked"
Check relationship.Tag = "checked", "tag: " & relationship.Tag

' @I4@ has no sex: a sibling of @I3@, who is a brother.
names = ""
For Each relationship In assistant.Relationship(db.GetIndividualFromID("@I4@"), db.GetIndividualFromID("@I3@"))
    names = names & relationship.Name & "/" & relationship.Kind & " "
Next
Check names = "sibling/blood ", "sibling: " & names
Check assistant.Relationship(db.GetIndividualFromID("@I3@"), db.GetIndividualFromID("@I4@"))(1).Name = "brother", _
      "brother"
Check assistant.Relationship(db.GetIndividualFromID("@I2@"), db.GetIndividualFromID("@I1@"))(1).Name = "wife", _
      "wife"
Check assistant.Relationship(db.GetIndividualFromID("@I3@"), db.GetIndividualFromID("@I3@")).Count = 0, _
      "a person is not related to himself"

Set other = CreateObject("Kinfold.GEDCOMdb")
Check other.LoadGEDCOMFile(folder & "typical_walk.ged"), "loading typical_walk.ged again"
On Error Resume Next
Set found = assistant.Relationship(db.GetIndividualFromID("@I1@"), other.GetIndividualFromID("@I3@"))
number = Err.Number
description = Err.Description
On Error GoTo 0
Check number <> 0, "an individual of another database raises an error"
Check description = "Record not part of this GEDCOM database", "error description: " & description

WScript.Echo "PASS"
