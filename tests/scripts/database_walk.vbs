' A script host's view of the database: create it by ProgID, load a small
' file that lies beside this script, walk and index its collections, and
' read and write the options. Ends with PASS; any wrong answer quits with 1.
Option Explicit

Dim folder, db, ok, ids, person, family, n

folder = Left(WScript.ScriptFullName, InStrRev(WScript.ScriptFullName, "\")) & "data\"

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        WScript.Quit 1
    End If
End Sub

' Both ProgIDs name the class.
Set db = CreateObject("Kinfold.GEDCOMdb.1")
Check db.ReturnBlankFlags = 1, "CreateObject by the versioned ProgID"
Set db = CreateObject("Kinfold.GEDCOMdb")

' A fresh database.
Check db.FileName = "", "FileName before any load"
Check db.ReturnBlankFlags = 1, "initial ReturnBlankFlags"
Check db.ConcatenateWithSpace = True, "initial ConcatenateWithSpace"
Check db.DefaultConfidentialValue = 1, "initial DefaultConfidentialValue"
Check db.ConfidentialNotice = "Confidential", "initial ConfidentialNotice"
Check db.Individuals.Count = 0, "no individuals before loading"

ok = db.LoadGEDCOMFile(folder & "three_people.ged")
Check ok = True, "loading three_people.ged"
Check db.FileName = folder & "three_people.ged", "FileName after loading"

' For Each walks the stores in ID order, not file order.
ids = ""
For Each person In db.Individuals
    ids = ids & person.ID
Next
Check ids = "@I1@@I2@@I3@", "individuals in store order, got " & ids
ids = ""
For Each family In db.Families
    ids = ids & family.ID
Next
Check ids = "@F1@@F2@", "families in store order, got " & ids

Check db.Individuals.Count = 3, "individual count"
Check db.Families.Count = 2, "family count"
Check db.Individuals.Item(2).ID = "@I2@", "Item by number"
Check db.Individuals.Item("@I3@").ID = "@I3@", "Item by ID"
Check db.Individuals(1).ID = "@I1@", "Item as the default member"
Check db.Families.Item("@F2@").ID = "@F2@", "family Item by ID"
Check db.GetIndividualFromID("@I2@").ID = "@I2@", "GetIndividualFromID"
Check db.GetIndividualFromID("I2") Is Nothing, "GetIndividualFromID without @ signs"

' ReturnBlankFlags: names 1, events 2, places 4.
db.ReturnBlankFlags = 6
Check db.ReturnBlankNames = False, "flags 6: names"
Check db.ReturnBlankEvents = True, "flags 6: events"
Check db.ReturnBlankPlaces = True, "flags 6: places"
Check db.ReturnBlankFlags = 6, "flags 6 read back"
Check 2 = (db.ReturnBlankFlags And 2), "events bit"
db.ReturnBlankNames = True
Check db.ReturnBlankFlags = 7, "names option sets bit 1"
db.ReturnBlankFlags = db.ReturnBlankFlags - 4
Check db.ReturnBlankPlaces = False, "clearing the places bit"
Check db.ReturnBlankFlags = 3, "flags 3 read back"

' Options read and written back.
db.ConfidentialNotice = "Private"
Check db.ConfidentialNotice = "Private", "ConfidentialNotice written back"
db.DefaultConfidentialValue = 5
Check db.DefaultConfidentialValue = 1, "DefaultConfidentialValue stores 1 for non-zero"
db.ConcatenateWithSpace = False
Check db.ConcatenateWithSpace = False, "ConcatenateWithSpace written back"
db.SourceFootnoteFormat = "%t%."
Check db.SourceFootnoteFormat = "%t%.", "SourceFootnoteFormat written back"

' A file that cannot be opened: False, and an empty database.
ok = db.LoadGEDCOMFile(folder & "no_such_file.ged")
Check ok = False, "loading a missing file"
Check db.Individuals.Count = 0, "individuals after a failed load"
Check db.FileName = "", "FileName after a failed load"
' Options survive loads.
Check db.ConfidentialNotice = "Private", "options survive a load"

n = 0
For Each person In db.Individuals
    n = n + 1
Next
Check n = 0, "For Each over an empty store"

WScript.Echo "PASS"
