#include "image/PictureFormats.h"

#include <QByteArray>
#include <QImageReader>
#include <set>
#include <vector>

#include "Stringop/CharacterText.h"

namespace {

struct Format {
  std::string name;
  std::vector<std::string> extensions;
};

// The formats Quorvix names, in the order the filter offers them; any other
// extension a reader knows follows under its own name.
const std::vector<Format>& NamedFormats() {
  static const std::vector<Format> formats = {
      {"Windows bitmap", {"bmp"}},
      {"PNG", {"png"}},
      {"JPEG", {"jpg", "jpeg", "jpe", "jfif"}},
      {"TIFF", {"tif", "tiff"}},
      {"WebP", {"webp"}},
      {"GIF", {"gif"}},
      {"Portable bitmap, greymap and pixmap", {"pbm", "pgm", "ppm", "pnm"}},
      {"PDF document", {"pdf"}},
      {"X bitmap", {"xbm"}},
      {"X pixmap", {"xpm"}},
      {"Windows icon", {"ico", "cur"}},
      {"Targa", {"tga"}},
      {"Wireless bitmap", {"wbmp"}},
      {"Apple icon", {"icns"}},
      {"SVG drawing", {"svg", "svgz"}},
      {"JPEG 2000", {"jp2", "j2k"}},
      {"MNG animation", {"mng"}},
  };
  return formats;
}

std::string Patterns(const std::vector<std::string>& extensions) {
  std::string text;
  for (const std::string& e : extensions) {
    text += (text.empty() ? "*." : ";*.") + e + ";*." + UpperCaseText(e);
  }
  return text;
}

}  // namespace

std::string PictureOpenFilter() {
  std::set<std::string> readable = {"pdf"};  // through the PDF renderer
  for (const QByteArray& format : QImageReader::supportedImageFormats()) {
    readable.insert(format.toLower().toStdString());
  }

  std::vector<Format> offered;
  std::set<std::string> named;
  for (const Format& format : NamedFormats()) {
    Format available{format.name, {}};
    for (const std::string& e : format.extensions) {
      named.insert(e);
      if (readable.count(e) != 0) available.extensions.push_back(e);
    }
    if (!available.extensions.empty()) offered.push_back(available);
  }
  for (const std::string& e : readable) {
    if (named.count(e) == 0) offered.push_back({UpperCaseText(e) + " picture", {e}});
  }

  std::vector<std::string> all;
  for (const Format& format : offered)
    all.insert(all.end(), format.extensions.begin(), format.extensions.end());
  std::string filter = "All pictures|" + Patterns(all);
  for (const Format& format : offered) filter += "|" + format.name + "|" + Patterns(format.extensions);
  return filter;
}
