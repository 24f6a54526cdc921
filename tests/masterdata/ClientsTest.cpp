#include "masterdata/Clients.h"

#include "MasterDataFixture.h"

namespace tlx4r {
namespace {

using test::MasterDataTest;

TEST_F(MasterDataTest, ClientsReadWriteAndTellMissingRecords) {
    Clients& clients = *root.Clients();
    Client missing = clients.Item(42);
    EXPECT_TRUE(missing.NoMatch);
    EXPECT_EQ(missing.ID(), 42);
    EXPECT_EQ(missing.KeyName, "(*** nicht vorhanden ***)");
    Client fresh = clients.Item(-1);
    EXPECT_FALSE(fresh.NoMatch);
    EXPECT_EQ(fresh.ID(), 0);
    EXPECT_EQ(fresh.KeyName, "");
    EXPECT_EQ(fresh.Topic(), "0  (nicht zugeordnet)");
    EXPECT_EQ(clients.Count(), 0);

    Client c(clients);
    c.KeyName = "Bühler";
    c.Company = "Bühler Treuhand AG";
    c.PersonID = 3;
    c.Archive = true;
    c.KlieExt5 = std::string(300, 'y');
    c.Update();  // ID 0: added
    ASSERT_EQ(c.ID(), 1);
    EXPECT_EQ(c.Topic(), "1  Bühler");
    EXPECT_TRUE(Scalar("SELECT Title FROM Client WHERE ID = 1").IsNull());
    Client read = clients.Item(1);
    EXPECT_FALSE(read.NoMatch);
    EXPECT_EQ(read.Company, "Bühler Treuhand AG");
    EXPECT_TRUE(read.Archive);
    EXPECT_EQ(read.PersonID, 3);
    EXPECT_EQ(read.KlieExt5.size(), 255u);
    EXPECT_FALSE(read.Changed());

    // an unchanged client writes nothing, not even with a change export asked for
    host.options["ProjectExportFormats"] = "XML";
    Db().Execute("UPDATE Client SET City = \"Thun\" WHERE ID = 1");
    read.Update();
    EXPECT_EQ(Scalar("SELECT City FROM Client WHERE ID = 1"), db::Value("Thun"));
    read.Fone = "031 123 45 67";
    EXPECT_TRUE(read.Changed());
    read.Update();
    EXPECT_TRUE(Scalar("SELECT City FROM Client WHERE ID = 1").IsNull());  // the whole record is written
    read.Fax = "x";
    read.Restore();
    EXPECT_EQ(read.Fax, "");

    // Add always makes a new record
    EXPECT_EQ(clients.Add(read), 2);
    EXPECT_EQ(clients.Count(), 2);
    EXPECT_EQ(clients.Item(2).Fone, "031 123 45 67");
    clients.Remove(1);
    clients.Remove(1);
    EXPECT_EQ(clients.Count(), 1);
    EXPECT_TRUE(clients.Item(1).NoMatch);

    // Verify sets dangling person references to 0
    clients.Verify();
    EXPECT_EQ(clients.Item(2).PersonID, 0);
}

TEST(ClientAddressTest, TheMailAddressAlwaysHasSixLines) {
    Client c;
    c.LastName = " Keller ";
    c.City = "Bern";
    EXPECT_EQ(c.MailAddress(), "Keller\r\nBern\r\n\r\n\r\n\r\n");
    EXPECT_EQ(c.Address(1), "Keller");
    EXPECT_EQ(c.Address(2), "Bern");
    EXPECT_EQ(c.Address(3), "");
    EXPECT_EQ(c.Address(6), "");
    EXPECT_EQ(c.Address(0), "");
    EXPECT_EQ(c.Address(7), "");

    c.Title = "Dr.";
    c.ZipCode = "3011";
    EXPECT_EQ(c.Address(1), "Dr. Keller");
    EXPECT_EQ(c.Address(2), "3011 Bern");

    c.Company = "Keller Notariat";
    c.FirstName = "Hans";
    c.Address1 = "Marktgasse 12";
    c.Address2 = "Postfach";
    c.Country = "Schweiz";
    EXPECT_EQ(c.MailAddress(),
              "Keller Notariat\r\nDr. Hans Keller\r\nMarktgasse 12\r\nPostfach\r\n3011 Bern\r\nSchweiz");
    EXPECT_EQ(c.Address(6), "Schweiz");

    // export view: 28 items, the formatted lines under the names of the raw ones
    EXPECT_EQ(c.ExportCount(), 28);
    EXPECT_EQ(c.ExportField(9), "Client_Address1");
    EXPECT_EQ(c.ExportField(23), "Client_Address1");
    EXPECT_EQ(c.ExportValue(9), "Marktgasse 12");
    EXPECT_EQ(c.ExportValue(23), "Keller Notariat");
    EXPECT_EQ(c.ExportDesc(23), "Klient: Addresszeile 1 (formatiert)");
    EXPECT_EQ(c.ExportDesc(11), "Klient: Postleizahl");
    EXPECT_EQ(c.ExportValue(3), "0");
    EXPECT_EQ(c.ExportValue(13), "Schweiz");
    EXPECT_EQ(c.ExportField(28), "Client_Address6");
    EXPECT_EQ(c.ExportValue(28), "Schweiz");
    for (int outside : {0, 29}) {
        EXPECT_EQ(c.ExportField(outside), "");
        EXPECT_EQ(c.ExportDesc(outside), "");
        EXPECT_EQ(c.ExportValue(outside), "");
    }
}

}  // namespace
}  // namespace tlx4r
