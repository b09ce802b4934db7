// Any file content through the program's picture loader: it either gives a
// 24-bit picture within the size limits, or a message and an untouched
// target. Small pictures must also survive the writer and read back exactly.
#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "image/BitmapFile.h"
#include "support/TempDir.h"

namespace {

// Far below the program's own limit, so that huge announced sizes are
// refused quickly; the refusal itself is the same code.
constexpr std::int64_t FuzzPixelLimit = std::int64_t{1} << 20;
constexpr std::int64_t RoundTripPixels = 1 << 14;

// Leaves freed heap blocks around the size of a picture of `pixels` pixels
// full of a pattern.
void DirtyTheHeap(std::size_t pixels) {
  std::vector<void*> blocks;
  for (std::size_t size = pixels / 2 + 8; size <= pixels * 4 + 64;
       size += (pixels / 8 + 8) & ~std::size_t{7}) {
    void* block = std::malloc(size);
    if (block == nullptr) continue;
    std::memset(block, 0x5A, size);
    blocks.push_back(block);
  }
  for (void* block : blocks) std::free(block);
}

std::string SizeText(const Bitmap& picture) {
  return std::to_string(picture.width()) + " x " + std::to_string(picture.height());
}

}  // namespace

// Qt's notes about each refused picture would only slow the search down.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TempDir dir;
  const std::string path = dir.file("in.bmp");
  WriteWholeFile(path, FuzzInput(data, size).rest());

  const Bitmap before(1, 1, 0x123456);
  Bitmap picture = before;
  std::string error;
  if (!LoadBitmapFile(path, picture, error, FuzzPixelLimit)) {
    if (error.empty()) FuzzFailure("a refused picture without a message");
    if (!(picture == before)) FuzzFailure("a refused picture changed the target: " + error);
    return 0;
  }
  if (picture.empty() || !PictureSizeAllowed(picture.width(), picture.height(), FuzzPixelLimit)) {
    FuzzFailure("a picture of " + SizeText(picture) + " was accepted");
  }
  for (const Colour c : picture.pixels()) {
    if (c > WhiteColour) FuzzFailure("a pixel with more than 24 bits");
  }
  // Pixels the file leaves out must not come from stale memory: a second
  // load, after the heap held other bytes, gives the same picture.
  DirtyTheHeap(picture.pixels().size());
  Bitmap again;
  if (!LoadBitmapFile(path, again, error, FuzzPixelLimit) || !(again == picture)) {
    FuzzFailure("a " + SizeText(picture) + " picture reads differently the second time");
  }

  if (static_cast<std::int64_t>(picture.width()) * picture.height() > RoundTripPixels) return 0;
  const std::string saved = dir.file("out.BMP");
  if (!SaveBitmapFile(saved, picture, error)) FuzzFailure("a loaded picture cannot be saved: " + error);
  Bitmap back;
  if (!LoadBitmapFile(saved, back, error)) FuzzFailure("a saved picture cannot be read: " + error);
  if (!(back == picture)) FuzzFailure("a saved " + SizeText(picture) + " picture reads back differently");
  return 0;
}
