// release-check's picture of the splash window: the labels it measures
// against are the window's own, and its text widths are the ones the
// window's labels get for the same caption and font.
#include "InstallerFixture.h"
#include "shell/Form1.h"
#include "tools/release-check/GdiTextMeasure.h"
#include "tools/release-check/LabelFit.h"

namespace {

class ReleaseCheckLabelTest : public InstallerFixture {};

TLabel &LabelNamed(const std::string &name) {
  TLabel *labels[] = {&Form1->Label1, &Form1->Label2, &Form1->Label5, &Form1->Label6,
                      &Form1->Label11};
  for (TLabel *label : labels)
    if (label->Name() == name)
      return *label;
  throw std::runtime_error("no label " + name);
}

TEST_F(ReleaseCheckLabelTest, LabelsAreTheSplashWindows) {
  WriteRelease(StandardIniLines());
  ASSERT_TRUE(StartInstaller());
  for (const SplashLabel &expected : kSplashLabels) {
    SCOPED_TRACE(expected.box.name);
    TLabel &label = LabelNamed(expected.box.name);
    EXPECT_EQ(label.Width(), expected.box.width);
    EXPECT_EQ(label.Height(), expected.box.height);
  }
}

// Label4 ("install") sizes itself to its caption in Arial bold 13: the
// checker's measure must give the same width for the same text.
TEST_F(ReleaseCheckLabelTest, WidthsAreTheLabelsOwn) {
  WriteRelease(StandardIniLines());
  ASSERT_TRUE(StartInstaller());
  GdiTextMeasure measure;
  for (const char *text :
       {"install", "a much longer caption, with punctuation!", "WWWWWWWWWW", "iiiiiiiiii",
        "\xC4pfel & \xFC"
        "berall"}) {
    SCOPED_TRACE(text);
    Form1->Label4.SetCaption(text);
    EXPECT_EQ(measure.Line(13, text).width, Form1->Label4.Width());
    EXPECT_EQ(measure.Line(13, text).height, Form1->Label4.Height());
  }
}

} // namespace
