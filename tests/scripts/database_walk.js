// The same walk as database_walk.vbs from JScript, which reaches collections
// through Enumerator (_NewEnum) and indexed items through Item.
var path = WScript.ScriptFullName;
var folder = path.substring(0, path.lastIndexOf("\\") + 1) + "data\\";

function check(condition, what) {
    if (!condition) {
        WScript.Echo("FAIL: " + what);
        WScript.Quit(1);
    }
}

function idsOf(collection) {
    var ids = "";
    for (var e = new Enumerator(collection); !e.atEnd(); e.moveNext()) ids += e.item().ID;
    return ids;
}

var db = new ActiveXObject("Kinfold.GEDCOMdb");
check(db.FileName === "", "FileName before any load");
check(db.ReturnBlankFlags === 1, "initial ReturnBlankFlags");
check(db.ConcatenateWithSpace === true, "initial ConcatenateWithSpace");

check(db.LoadGEDCOMFile(folder + "three_people.ged") === true, "loading three_people.ged");
check(db.FileName === folder + "three_people.ged", "FileName after loading");

check(idsOf(db.Individuals) === "@I1@@I2@@I3@", "individuals in store order");
check(idsOf(db.Families) === "@F1@@F2@", "families in store order");
check(db.Individuals.Count === 3, "individual count");
check(db.Families.Count === 2, "family count");
check(db.Individuals.Item(3).ID === "@I3@", "Item by number");
check(db.Individuals.Item("@I1@").ID === "@I1@", "Item by ID");
check(db.GetIndividualFromID("@I3@").ID === "@I3@", "GetIndividualFromID");
check(db.GetIndividualFromID("@X9@") === null, "GetIndividualFromID of an unknown ID");

// Names 1, events 2, places 4.
db.ReturnBlankFlags = 5;
check(db.ReturnBlankNames === true && db.ReturnBlankEvents === false &&
      db.ReturnBlankPlaces === true, "flags 5 as options");
check((db.ReturnBlankFlags & 4) === 4, "places bit");
db.ReturnBlankEvents = true;
check(db.ReturnBlankFlags === 7, "events option sets bit 2");
db.ReturnBlankFlags = db.ReturnBlankFlags ^ 1;
check(db.ReturnBlankNames === false && db.ReturnBlankFlags === 6, "clearing the names bit");

db.ConfidentialNotice = "Withheld";
check(db.ConfidentialNotice === "Withheld", "ConfidentialNotice written back");
db.MergeCitationAndMasterSource = false;
check(db.MergeCitationAndMasterSource === false, "MergeCitationAndMasterSource written back");
db.DefaultConfidentialValue = 0;
check(db.DefaultConfidentialValue === 0, "DefaultConfidentialValue written back");

// A note kept while its file is replaced has lost the record it names; the
// read raises an automation error that a try block catches.
var note = db.Individuals.Item("@I1@").Notes.Item(1);
check(note.ID === "@N1@", "the note pointer names @N1@");
check(db.LoadGEDCOMFile(folder + "typical_walk.ged") === true, "loading typical_walk.ged");
var caught = null;
try {
    note.Note;
} catch (e) {
    caught = e;
}
check(caught !== null, "reading a lost note raises an error");
check(caught.description === "Error: GEDCOM file is corrupt.  Invalid Reference",
      "error description: " + caught.description);

check(db.LoadGEDCOMFile(folder + "no_such_file.ged") === false, "loading a missing file");
check(db.Individuals.Count === 0, "individuals after a failed load");
check(db.FileName === "", "FileName after a failed load");
check(db.ConfidentialNotice === "Withheld", "options survive a load");

WScript.Echo("PASS");
