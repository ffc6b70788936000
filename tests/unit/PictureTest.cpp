// Pictures from the program's bitmap resources:
// window backgrounds (TImage, loaded when first needed) and list pictures
// (TListPicture).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/BitmapResource.h"
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

// Packed window art, plain 16-colour list pictures, a missing name.
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

// Every pixel's colour, top row first.
std::vector<DWORD> Pixels(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = info.bmWidth;
  format.bmiHeader.biHeight = -info.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  WindowDC screen(nullptr);
  GetDIBits(screen.Get(), bitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
  return pixels;
}
} // namespace

// The packing of the window art loses nothing: each picture unpacks to the
// drawn bitmap, colour for colour.
TEST(PictureTest, PackedWindowArtIsTheDrawnArt) {
  const char *const pictures[][2] = {{"SPLASH", "splash.bmp"},
                                     {"FOLDERDIALOG", "folder.bmp"},
                                     {"NEWFOLDER", "newfolder.bmp"},
                                     {"EXTRACT", "extract.bmp"},
                                     {"CLOSING", "closing.bmp"}};
  for (const auto &picture : pictures) {
    SCOPED_TRACE(picture[0]);
    std::string file = std::string(INSTALLER_ASSETS) + "/" + picture[1];
    Bitmap packed(LoadBitmapResource(picture[0]));
    Bitmap drawn(static_cast<HBITMAP>(LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    ASSERT_TRUE(packed && drawn);
    EXPECT_EQ(Pixels(packed.Get()), Pixels(drawn.Get()));
  }
}

// A damaged packing unpacks to nothing and touches no byte outside its
// output. The good stream: "ab", a copy of 4 from 2 back, then "c".
TEST(PictureTest, DamagedPackingIsRefusedWithinItsBounds) {
  const struct {
    const char *what;
    std::vector<BYTE> stream;
    size_t size;
    bool unpacked;
  } rows[] = {
      {"whole", {0x20, 'a', 'b', 2, 0, 0x10, 'c'}, 7, true},
      {"output too short", {0x20, 'a', 'b', 2, 0, 0x10, 'c'}, 6, false},
      {"output not filled", {0x20, 'a', 'b', 2, 0, 0x10, 'c'}, 8, false},
      {"copy from before the start", {0x20, 'a', 'b', 3, 0, 0x10, 'c'}, 7, false},
      {"copy from no distance", {0x20, 'a', 'b', 0, 0, 0x10, 'c'}, 7, false},
      {"cut in a distance", {0x20, 'a', 'b', 2}, 7, false},
      {"length running off the end", {0xF0, 255, 255}, 7, false},
      {"literals past the end", {0x50, 'a', 'b'}, 7, false},
  };
  for (const auto &row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<BYTE> out(row.size + 2, 0xEE);
    EXPECT_EQ(UnpackBlocks(row.stream.data(), row.stream.size(), out.data() + 1, row.size),
              row.unpacked);
    EXPECT_EQ(out.front(), 0xEE);
    EXPECT_EQ(out.back(), 0xEE);
    if (row.unpacked) {
      EXPECT_EQ(std::string(out.begin() + 1, out.end() - 1), "abababc");
    }
  }
}

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
