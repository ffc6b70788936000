// Pictures from the program's bitmap resources:
// window backgrounds (TImage, loaded when first needed) and list pictures
// (TListPicture).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/Form.h"
#include "runtime/Gdi.h"
#include "runtime/Image.h"
#include "runtime/ListPicture.h"

namespace {
class TPictureForm : public TForm {
public:
  TPictureForm() : TForm("TPictureForm", {100, 100, RGB(0, 0, 0), TBorderStyle::None, "", true}) {}
  TImage Image1{this};
};

struct PictureCase {
  const char *resource;
  int width, height; // 0 x 0: no such resource
};

// Run-length coded window art, plain 16-colour list pictures, a missing name.
const PictureCase kPictures[] = {
    {"SPLASH", 400, 420}, {"FOLDERDIALOG", 250, 300}, {"CLOSING", 250, 120},
    {"FLOPPY", 16, 11},   {"CURRENTFOLDER", 16, 15},  {"NOSUCHPICTURE", 0, 0},
};

// The colour at (x, y) after drawing into a 32-bit bitmap filled with `fill`.
template <class Draw> COLORREF PixelAfter(COLORREF fill, int x, int y, Draw draw) {
  WindowDC screen(nullptr);
  MemoryDC dc(screen.Get());
  Bitmap target(CreateCompatibleBitmap(screen.Get(), 500, 500));
  Selection select(dc.Get(), target.Get());
  Brush brush(CreateSolidBrush(fill));
  RECT all{0, 0, 500, 500};
  FillRect(dc.Get(), &all, brush.Get());
  draw(dc.Get());
  return GetPixel(dc.Get(), x, y);
}
} // namespace

TEST(PictureTest, ImagesKnowTheirPictureBeforeTheFirstPaint) {
  for (const PictureCase &c : kPictures) {
    SCOPED_TRACE(c.resource);
    TPictureForm form;
    form.Image1.Apply({"Image1", 0, 0, 10, 10, c.resource});
    EXPECT_EQ(form.Image1.HasPicture(), c.width > 0);
    EXPECT_EQ(form.Image1.PictureSize().cx, c.width);
    EXPECT_EQ(form.Image1.PictureSize().cy, c.height);
  }
}

TEST(PictureTest, ApplyingAnotherDesignReplacesALoadedPicture) {
  TPictureForm form;
  form.Image1.Apply({"Image1", 0, 0, 10, 10, "SPLASH"});
  ASSERT_EQ(form.Image1.PictureSize().cx, 400);
  form.Image1.Apply({"Image1", 0, 0, 10, 10, "EXTRACT"});
  EXPECT_EQ(form.Image1.PictureSize().cx, 250);
  form.Image1.Apply({"Image1", 0, 0, 10, 10, "NOSUCHPICTURE"});
  EXPECT_FALSE(form.Image1.HasPicture());
  // Nothing to draw: the background stays.
  EXPECT_EQ(PixelAfter(RGB(1, 2, 3), 5, 5, [&](HDC dc) { form.Image1.Paint(dc); }), RGB(1, 2, 3));
}

TEST(PictureTest, ListPicturesDrawTheirCornerColourSeeThrough) {
  for (const PictureCase &c : kPictures) {
    SCOPED_TRACE(c.resource);
    TListPicture picture(c.resource);
    EXPECT_EQ(picture.Loaded(), c.width > 0);
    EXPECT_EQ(picture.Width(), c.width);
    EXPECT_EQ(picture.Height(), c.height);
    const COLORREF fill = RGB(255, 0, 255);
    // The bottom-left pixel gives the see-through colour; a missing
    // picture draws nothing at all.
    EXPECT_EQ(PixelAfter(fill, 20, 20 + std::max(c.height, 1) - 1,
                         [&](HDC dc) { picture.Draw(dc, 20, 20); }),
              fill);
  }
}
