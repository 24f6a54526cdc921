#include "host/DemoMasterData.h"

#include "MasterDataFixture.h"
#include "masterdata/Clients.h"
#include "masterdata/Datas.h"
#include "masterdata/Projects.h"
#include "types/AppError.h"

namespace tlx4r {
namespace {

using test::MasterDataTest;

TEST_F(MasterDataTest, DemoMasterDataLinksEveryProjectToAClientOnce) {
    for (const char* name : {"Bachmann Immobilien AG", "Frei-Lüthi Regula", "Gemeinde Oberwil"}) {
        Project p(*root.Projects());
        p.AccountCode = std::string("1100.00") + std::to_string(root.Projects()->Count() + 1);
        p.AccountName = name;
        p.Update();
    }
    AddDemoMasterData(root);
    const auto count = [&](const std::string& table) {
        return Scalar("SELECT Count(*) FROM " + table).ToLong();
    };
    EXPECT_EQ(count("Department"), 5);
    EXPECT_EQ(count("ProjectType"), 5);
    EXPECT_EQ(count("Person"), 5);
    EXPECT_EQ(count("Template"), 10);
    EXPECT_EQ(count("Client"), 3);
    EXPECT_EQ(root.Persons()->Item(1).Topic(), "1 (AK) Dr. Andrea Keller, Notarin");
    EXPECT_EQ(root.Persons()->Item(1).Rate, Currency::FromInt(320));
    EXPECT_EQ(root.Templates()->Item(4).Charges, Currency::FromInt(150));

    for (std::int32_t id = 1; id <= 3; ++id) {
        Project p = root.Projects()->Item(id);
        ASSERT_GT(p.ClientID, 0);
        EXPECT_GT(p.PersonID, 0);
        EXPECT_NE(p.DepartmentData().NameFull, "");
        EXPECT_EQ(p.ClientData().KeyName, p.AccountName);
        EXPECT_EQ(p.ClientData().Country, "Schweiz");
        EXPECT_NE(p.ClientData().Address(2), "");
    }
    Client organisation = root.Clients()->Item(root.Projects()->Item(1).ClientID);
    EXPECT_EQ(organisation.Company, "Bachmann Immobilien AG");
    Client person = root.Clients()->Item(root.Projects()->Item(2).ClientID);
    EXPECT_EQ(person.LastName, "Frei-Lüthi");
    EXPECT_EQ(person.FirstName, "Regula");

    AddDemoMasterData(root);  // a second call adds nothing
    EXPECT_EQ(count("Client"), 3);
    EXPECT_EQ(count("Person"), 5);

    ui.ExpectMessageContaining("wirklich unterbrechen?", ui::Answer::Yes);
    root.DatabaseClose();
    EXPECT_THROW(AddDemoMasterData(root), AppError);
}

}  // namespace
}  // namespace tlx4r
