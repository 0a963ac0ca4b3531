// Multimedia objects in their three forms with their files, the header with
// its source system, submitters and the submission, and the ordinances and
// associations of individuals and families.
#include <gtest/gtest.h>

#include "support/scripted_database_test.h"

namespace kinfold::test {
namespace {

constexpr char kFile[] =
    "0 HEAD\n"
    "1 SOUR PAF\n2 VERS 5.2\n2 NAME Family program\n2 CORP Maker\n3 ADDR Street 1\n3 PHON 555\n"
    "2 DATA Data src\n3 DATE 1 JAN 2000\n3 COPR Copy\n4 CONT right\n"
    "1 DEST ANSTFILE\n1 DATE 1 JAN 2002\n2 TIME 10:00\n1 SUBM @U1@\n1 SUBN @X1@\n"
    "1 FILE file.ged\n1 COPR Copyright 2002\n1 VERS 9.9\n1 GEDC\n2 VERS 5.5\n2 FORM "
    "LINEAGE-LINKED\n"
    "1 CHAR ANSEL\n2 VERS 1.0\n1 LANG English\n1 PLAC\n2 FORM City, County, State\n"
    "1 NOTE Header\n2 CONT note\n"
    "0 @U1@ SUBM\n1 NAME John Doe\n1 LANG English\n1 LANG French\n1 RFN 123\n1 PHON 555\n"
    "1 ADDR Somewhere\n1 RIN 7\n1 NOTE submitter note\n"
    "0 @S1@ SUBN\n1 SUBM @U1@\n1 FAMF family.ged\n1 TEMP SLAKE\n1 ANCE 3\n1 DESC 2\n1 ORDI yes\n"
    "1 RIN 8\n"
    "0 @M1@ OBJE\n1 FILE a.jpg\n2 FORM jpg\n3 TYPE photo\n2 TITL A title\n"
    "1 FILE b.png\n2 FORM png\n2 MEDI photo\n1 TITL Record title\n1 RIN 5\n1 NOTE mm note\n"
    "0 @I1@ INDI\n1 SUBM @U1@\n1 ANCI @U1@\n1 DESI @U1@\n"
    "1 BAPL\n2 DATE 1 JAN 1900\n2 TEMP SLAKE\n2 PLAC Salt Lake\n2 STAT COMPLETED\n3 DATE 2 FEB "
    "1990\n"
    "1 SLGC\n2 FAMC @F1@\n2 STAT X\n1 ENDL\n2 FAMC @F9@\n"
    "1 ASSO @I2@\n2 RELA Godfather\n1 ASSO @F1@\n2 TYPE FAM\n1 ASSO @U1@\n2 TYPE SUBM\n"
    "1 ASSO @S1@\n2 TYPE SUBN\n"
    "1 OBJE\n2 FORM jpg\n2 TITL Portrait\n2 FILE p.jpg\n2 FILE q.jpg\n1 OBJE\n2 FORM gif\n"
    "1 OBJE @M1@\n1 FAMC @F1@\n"
    "0 @I2@ INDI\n1 FAMS @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n1 SLGS\n2 DATE 1950\n1 SUBM @U1@\n1 OBJE @M1@\n"
    "0 TRLR\n";

class FileRecordsTest : public ScriptedDatabaseTest {
   protected:
    void SetUp() override { LoadText(kFile); }
};

TEST_F(FileRecordsTest, HeaderAndSourceSystem) {
    ExpectTexts({
        {"Header.SourceSystem.System", "PAF"},
        {"Header.SourceSystem.Version", "5.2"},
        {"Header.SourceSystem.Name", "Family program"},
        {"Header.SourceSystem.Corporation", "Maker"},
        {"Header.SourceSystem.Address.Address", "Street 1"},
        {"Header.SourceSystem.Address.Phone", "555"},
        {"Header.SourceSystem.DataSource", "Data src"},
        {"Header.SourceSystem.DataSourcePublicationDate", "1 JAN 2000"},
        {"Header.SourceSystem.DataSourceCopyright", "Copy\nright"},
        {"Header.DestinationSystem", "ANSTFILE"},
        {"Header.TransmissionDate", "1 JAN 2002"},
        {"Header.TransmissionTime", "10:00"},
        {"Header.FileName", "file.ged"},
        {"Header.Copyright", "Copyright 2002"},
        // VERS directly under HEAD is not the GEDCOM version.
        {"Header.GEDCOMVersion", "5.5"},
        {"Header.GEDCOMForm", "LINEAGE-LINKED"},
        {"Header.CharSet", "ANSEL"},
        {"Header.CharSetVersion", "1.0"},
        {"Header.Language", "English"},
        {"Header.PlaceFormat", "City, County, State"},
        {"Header.Description", "Header\nnote"},
    });
}

// Pointers answer from the record they name; the submission's pointer always
// names the file's one submission record and shows no ID of its own.
TEST_F(FileRecordsTest, SubmittersAndSubmission) {
    ExpectTexts({
        {"Header.Submitter.Name", "John Doe"},
        {"Header.Submitter.ID", "@U1@"},
        {"Header.Submitter.LanguagePreference", "English"},
        {"Header.Submission.ID", ""},
        {"Header.Submission.FamilyFileName", "family.ged"},
        {"Header.Submission.TempleCode", "SLAKE"},
        {"Header.Submission.GenerationsOfAncestors", "3"},
        {"Header.Submission.GenerationsOfDescendants", "2"},
        {"Header.Submission.OrdinanceProcessFlag", "yes"},
        {"Header.Submission.RecordID", "8"},
        {"Header.Submission.Submitter.Name", "John Doe"},
        {"Submitters(1).RegisteredRefNum", "123"},
        {"Submitters(1).RecordID", "7"},
        {"Submitters(1).Address.Address", "Somewhere"},
        {"Submitters(1).Address.Phone", "555"},
        {"Submitters(1).Notes(1).Note", "submitter note"},
        {"Individuals(1).Submitters.Count", "1"},
        {"Individuals(1).Submitters(1).Notes(1).Note", "submitter note"},
        {"Individuals(1).AncestorInterest(1).ID", "@U1@"},
        {"Individuals(1).DescendantInterest(1).Name", "John Doe"},
        {"Families(1).Submitters(1).Name", "John Doe"},
    });
    ASSERT_EQ(Put("Individuals(1).Submitters(1)", "Tag", LongVariant(5)), S_OK);
    EXPECT_EQ(Text("Submitters(1).Tag"), "5");
}

// Files in the record form, in place in both forms, and through a pointer.
TEST_F(FileRecordsTest, MultimediaForms) {
    ExpectTexts({
        {"Multimedia(1).ID", "@M1@"},
        {"Multimedia(1).Title", "Record title"},
        {"Multimedia(1).RecordID", "5"},
        {"Multimedia(1).Notes(1).Note", "mm note"},
        {"Multimedia(1).MediaFiles.Count", "2"},
        {"Multimedia(1).MediaFiles(1).Path", "a.jpg"},
        {"Multimedia(1).MediaFiles(1).Format", "jpg"},
        {"Multimedia(1).MediaFiles(1).Title", "A title"},
        // A TYPE under FORM is not the file's; a MEDI directly under FILE is.
        {"Multimedia(1).MediaFiles(1).MediaType", ""},
        {"Multimedia(1).MediaFiles(2).Path", "b.png"},
        {"Multimedia(1).MediaFiles(2).MediaType", "photo"},
        {"Individuals(1).Multimedia.Count", "3"},
        {"Individuals(1).Multimedia(1).ID", ""},
        {"Individuals(1).Multimedia(1).Title", "Portrait"},
        {"Individuals(1).Multimedia(1).MediaFiles.Count", "1"},
        {"Individuals(1).Multimedia(1).MediaFiles(1).Path", "q.jpg"},
        {"Individuals(1).Multimedia(1).MediaFiles(1).Format", "jpg"},
        {"Individuals(1).Multimedia(1).MediaFiles(1).Title", ""},
        {"Individuals(1).Multimedia(2).MediaFiles(1).Path", ""},
        {"Individuals(1).Multimedia(2).MediaFiles(1).Format", "gif"},
        {"Individuals(1).Multimedia(3).ID", "@M1@"},
        {"Individuals(1).Multimedia(3).MediaFiles.Count", "2"},
        {"Individuals(1).Multimedia(3).Title", "Record title"},
        {"Families(1).Multimedia(1).ID", "@M1@"},
    });
    ASSERT_EQ(Put("Individuals(1).Multimedia(3)", "Tag", LongVariant(3)), S_OK);
    EXPECT_EQ(Text("Multimedia(1).Tag"), "3");
}

TEST_F(FileRecordsTest, OrdinancesAndAssociations) {
    ExpectTexts({
        {"Individuals(1).IndividualOrdinances.Count", "3"},
        {"Individuals(1).IndividualOrdinances.Item(1).Type", "BAPL"},
        {"Individuals(1).IndividualOrdinances.Item(1).Date", "1 JAN 1900"},
        {"Individuals(1).IndividualOrdinances.Item(1).TempleCode", "SLAKE"},
        {"Individuals(1).IndividualOrdinances.Item(1).Place", "Salt Lake"},
        {"Individuals(1).IndividualOrdinances.Item(1).Status", "COMPLETED"},
        {"Individuals(1).IndividualOrdinances.Item(1).StatusLastModified", "2 FEB 1990"},
        {"Individuals(1).IndividualOrdinances.Item(1).AssociatedFamily", "<nothing>"},
        {"Individuals(1).IndividualOrdinances.Item(2).AssociatedFamily.ID", "@F1@"},
        {"Individuals(1).IndividualOrdinances.Item(2).StatusLastModified", ""},
        {"Individuals(1).IndividualOrdinances.Item(3).AssociatedFamily", "<nothing>"},
        {"Individuals(1).IndividualOrdinances(\"SLGC\").Count", "1"},
        {"Individuals(1).IndividualOrdinances(\"SLGC\").Item(1).Type", "SLGC"},
        {"Individuals(1).IndividualOrdinances(\"slgc\").Count", "0"},
        {"Families(1).LDSSpouseSealings.Count", "1"},
        {"Families(1).LDSSpouseSealings(1).Date", "1950"},
        {"Individuals(1).Associations.Count", "4"},
        {"Individuals(1).Associations(1).Type", "GDIndividualRecord"},
        {"Individuals(1).Associations(1).Relation", "Godfather"},
        {"Individuals(1).Associations(1).Association.ID", "@I2@"},
        {"Individuals(1).Associations(2).Type", "GDFamilyRecord"},
        {"Individuals(1).Associations(2).Association.ID", "@F1@"},
        {"Individuals(1).Associations(3).Association.Name", "John Doe"},
        {"Individuals(1).Associations(4).Type", "GDSubmissionRecord"},
        {"Individuals(1).Associations(4).Association.FamilyFileName", "family.ged"},
    });
}

// A confidential individual or family withholds its multimedia, ordinances
// and associations, but not its submitters or sealings.
TEST_F(FileRecordsTest, ConfidentialRecordsWithholdTheirLists) {
    ASSERT_EQ(Put("Individuals(1)", "Confidential", LongVariant(-1)), S_OK);
    ASSERT_EQ(Put("Families(1)", "Confidential", LongVariant(-1)), S_OK);
    ExpectTexts({
        {"Individuals(1).Multimedia.Count", "0"},
        {"Individuals(1).IndividualOrdinances.Count", "0"},
        {"Individuals(1).Associations.Count", "0"},
        {"Individuals(1).Submitters.Count", "1"},
        {"Families(1).Multimedia.Count", "0"},
        {"Families(1).LDSSpouseSealings.Count", "1"},
    });
}

}  // namespace
}  // namespace kinfold::test
