// The one entry point: each request code reaches its generator with the
// options, person, partner and blank-form choice of the request.
#include "print/family_sheet.h"
#include "print/print_request.h"
#include "sheets_fixture.h"

using namespace vft;
using namespace vft::print;

namespace {

class Dispatch : public test::SheetTest {
 protected:
  PrintRequest request(int code) {
    PrintRequest r;
    r.request = code;
    r.chart = LoadChartOptions(s, code);
    r.sheet = LoadSheetOptions(s, code);
    return r;
  }
};

TEST_F(Dispatch, EachRequestMakesItsOwnPrintout) {
  build_family();
  PrintRequest sheet = request(request::DataSheet);
  sheet.person = mary;
  RunPrintRequest(s, doc, measure, sheet);
  EXPECT_TRUE(has("Name: Jones, Mary"));

  RunPrintRequest(s, doc, measure, request(request::ListAll));
  EXPECT_TRUE(has("3 People Listed"));

  PrintRequest family = request(request::FamilyList);
  family.sheet.family_name = "Jones";
  RunPrintRequest(s, doc, measure, family);
  EXPECT_TRUE(has("1 People Listed"));

  RunPrintRequest(s, doc, measure, request(request::TimeLine));
  EXPECT_TRUE(has("Marriage of John Smith and Mary Jones"));

  EXPECT_FALSE(RunPrintRequest(s, doc, measure, request(request::FamilyNames)).as_text);
  EXPECT_TRUE(has("Jones, Smith"));
}

TEST_F(Dispatch, TheFamilySheetGetsThePartnerAndTheBlankChoice) {
  build_family();
  auto other = tree.person("Eve", "Other", "F");
  tree.family(john, other);
  PrintRequest r = request(request::FamilyData);
  r.person = john;
  r.partner = other;
  ASSERT_TRUE(RunPrintRequest(s, doc, measure, r).completed);
  EXPECT_TRUE(has("Family of Eve Other and John Smith"));
  // Mary is John's other partner on this form.
  EXPECT_TRUE(has("Mary Jones"));
  EXPECT_FALSE(has("Ann Smith"));
  r.blank_form = true;
  ASSERT_TRUE(RunPrintRequest(s, doc, measure, r).completed);
  EXPECT_FALSE(has("John Smith"));
}

TEST_F(Dispatch, NoPartnersMessageNamesThePersonsParents) {
  build_family();
  EXPECT_EQ(NoPartnersText(s, tree.read(ann)),
            "Ann Smith has no partners or children.\r\nTo print a family data sheet for this family please \r\n"
            "select one of her parents.");
  auto pat = tree.person("Pat", "Doe", "?");
  EXPECT_NE(NoPartnersText(s, tree.read(pat)).find("select one of his/her parents."), std::string::npos);
}

TEST_F(Dispatch, AnUnknownRequestCodeMakesNothing) {
  PrintRequest r;
  r.request = 9;
  EXPECT_FALSE(RunPrintRequest(s, doc, measure, r).completed);
  EXPECT_EQ(doc.page_count(), 0);
}

}  // namespace
