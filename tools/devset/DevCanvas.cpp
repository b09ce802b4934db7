#include "devset/DevCanvas.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace devset {

FloatPicture::FloatPicture(int w, int h, Rgb fill)
    : width(w),
      height(h),
      r(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), static_cast<float>(fill.r)),
      g(r.size(), static_cast<float>(fill.g)),
      b(r.size(), static_cast<float>(fill.b)) {}

void FloatPicture::blend(int x, int y, Rgb c, double alpha) {
  if (x < 0 || y < 0 || x >= width || y >= height || alpha <= 0) return;
  const std::size_t i = index(x, y);
  const auto mix = [alpha](float under, double over) {
    return static_cast<float>(under * (1 - alpha) + over * alpha);
  };
  r[i] = mix(r[i], c.r);
  g[i] = mix(g[i], c.g);
  b[i] = mix(b[i], c.b);
}

int SamplesPerSide(Drawing drawing) {
  switch (drawing) {
    case Drawing::Exact:
      return 8;
    case Drawing::Coarse:
      return 4;
    case Drawing::Aliased:
      return 1;
  }
  return 1;
}

Coverage CoverShape(double minX, double minY, double maxX, double maxY, int samples,
                    const std::function<bool(double, double)>& inside) {
  Coverage c;
  c.left = static_cast<int>(std::floor(minX)) - 1;
  c.top = static_cast<int>(std::floor(minY)) - 1;
  c.width = static_cast<int>(std::ceil(maxX)) + 1 - c.left;
  c.height = static_cast<int>(std::ceil(maxY)) + 1 - c.top;
  c.alpha.assign(static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height), 0.0);
  const double step = 1.0 / samples;
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      int hits = 0;
      for (int j = 0; j < samples; ++j) {
        for (int i = 0; i < samples; ++i) {
          hits += inside(c.left + x + (i + 0.5) * step, c.top + y + (j + 0.5) * step) ? 1 : 0;
        }
      }
      c.alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(c.width) + static_cast<std::size_t>(x)] =
          static_cast<double>(hits) / (samples * samples);
    }
  }
  return c;
}

double ShapeDistance(Shape shape, double size, double dx, double dy) {
  const double half = size / 2;
  switch (shape) {
    case Shape::Circle:
      return std::hypot(dx, dy) - half;
    case Shape::Square:
      return std::max(std::abs(dx), std::abs(dy)) - half * 0.9;
    case Shape::Diamond:
      return (std::abs(dx) + std::abs(dy) - half * 1.15) / std::sqrt(2.0);
    case Shape::Triangle: {
      // Pointing up, centred on its centroid.
      const double r = half * 1.2;
      const double s3 = std::sqrt(3.0);
      const double a = dy - r / 2;                   // bottom edge
      const double b = (-s3 * dx - dy) / 2 - r / 2;  // upper left edge
      const double c = (s3 * dx - dy) / 2 - r / 2;   // upper right edge
      return std::max({a, b, c});
    }
    case Shape::TriangleDown:
      return ShapeDistance(Shape::Triangle, size, dx, -dy);
    case Shape::Plus:
      return std::min(std::max(std::abs(dx) - half, std::abs(dy)),
                      std::max(std::abs(dy) - half, std::abs(dx)));
  }
  return 0;
}

bool InsideMarker(const Marker& marker, double dx, double dy) {
  const double halfStroke = marker.stroke / 2;
  if (marker.shape == Shape::Plus) {
    const double half = marker.size / 2;
    const double ax = std::abs(dx);
    const double ay = std::abs(dy);
    return (ax <= half && ay <= halfStroke) || (ay <= half && ax <= halfStroke);
  }
  const double d = ShapeDistance(marker.shape, marker.size, dx, dy);
  return marker.filled ? d <= halfStroke : std::abs(d) <= halfStroke;
}

Coverage CoverMarker(const Marker& marker, double cx, double cy, Drawing drawing) {
  const double reach = marker.size * 0.75 + marker.stroke;
  return CoverShape(cx - reach, cy - reach, cx + reach, cy + reach, SamplesPerSide(drawing),
                    [&](double x, double y) { return InsideMarker(marker, x - cx, y - cy); });
}

void Paint(FloatPicture& picture, const Coverage& coverage, Rgb colour) {
  for (int y = coverage.top; y < coverage.top + coverage.height; ++y) {
    for (int x = coverage.left; x < coverage.left + coverage.width; ++x) {
      picture.blend(x, y, colour, coverage.at(x, y));
    }
  }
}

void DrawMarker(FloatPicture& picture, const Marker& marker, double cx, double cy, Drawing drawing) {
  if (!marker.edged || marker.shape == Shape::Plus) {
    Paint(picture, CoverMarker(marker, cx, cy, drawing), marker.colour);
    return;
  }
  const double reach = marker.size * 0.75 + marker.stroke;
  const double halfStroke = marker.stroke / 2;
  const auto cover = [&](bool ring) {
    return CoverShape(cx - reach, cy - reach, cx + reach, cy + reach, SamplesPerSide(drawing),
                      [&](double x, double y) {
                        const double d = ShapeDistance(marker.shape, marker.size, x - cx, y - cy);
                        return ring ? std::abs(d) <= halfStroke : d <= 0;
                      });
  };
  Paint(picture, cover(false), marker.colour);
  Paint(picture, cover(true), marker.edge);
}

void FillBox(FloatPicture& picture, double x0, double y0, double x1, double y1, Rgb colour, Drawing drawing) {
  const int left = std::max(0, static_cast<int>(std::floor(x0)));
  const int top = std::max(0, static_cast<int>(std::floor(y0)));
  const int right = std::min(picture.width - 1, static_cast<int>(std::ceil(x1)));
  const int bottom = std::min(picture.height - 1, static_cast<int>(std::ceil(y1)));
  const bool aliased = drawing == Drawing::Aliased;
  const auto share = [aliased](int pixel, double from, double to) {
    if (aliased) return pixel + 0.5 >= from && pixel + 0.5 < to ? 1.0 : 0.0;
    return std::max(0.0, std::min(to, pixel + 1.0) - std::max(from, static_cast<double>(pixel)));
  };
  for (int y = top; y <= bottom; ++y) {
    const double down = share(y, y0, y1);
    if (down <= 0) continue;
    for (int x = left; x <= right; ++x) picture.blend(x, y, colour, down * share(x, x0, x1));
  }
}

StrokeLayer::StrokeLayer(int width, int height, Drawing drawing)
    : width_(width), height_(height), samples_(SamplesPerSide(drawing)) {}

void StrokeLayer::cover(double minX, double minY, double maxX, double maxY,
                        const std::function<bool(double, double)>& in) {
  const int x0 = std::max(0, static_cast<int>(std::floor(minX)));
  const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
  const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(maxX)));
  const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(maxY)));
  const double step = 1.0 / samples_;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      std::uint64_t bits = 0;
      for (int j = 0; j < samples_; ++j) {
        for (int i = 0; i < samples_; ++i) {
          if (in(x + (i + 0.5) * step, y + (j + 0.5) * step)) bits |= std::uint64_t{1} << (j * samples_ + i);
        }
      }
      if (bits != 0) bits_[static_cast<std::int64_t>(y) * width_ + x] |= bits;
    }
  }
}

void StrokeLayer::line(double x0, double y0, double x1, double y1, double lineWidth) {
  const double half = lineWidth / 2;
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double length2 = dx * dx + dy * dy;
  cover(std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half, std::max(y0, y1) + half,
        [&](double x, double y) {
          double t = length2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / length2 : 0;
          t = std::clamp(t, 0.0, 1.0);
          const double ex = x - (x0 + t * dx);
          const double ey = y - (y0 + t * dy);
          return ex * ex + ey * ey <= half * half;
        });
}

void StrokeLayer::rect(double x0, double y0, double x1, double y1) {
  cover(x0, y0, x1, y1, [&](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

void StrokeLayer::paint(FloatPicture& picture, Rgb colour) const {
  const double all = static_cast<double>(samples_ * samples_);
  for (const auto& [index, bits] : bits_) {
    const int x = static_cast<int>(index % width_);
    const int y = static_cast<int>(index / width_);
    picture.blend(x, y, colour, std::popcount(bits) / all);
  }
}

namespace {

// 5 x 7 dots per glyph, one string of five characters per dot row.
const char* GlyphRows(char c) {
  switch (c) {
    case '0':
      return ".###.#...##..###.#.###..##...#.###.";
    case '1':
      return "..#...##....#....#....#....#...###.";
    case '2':
      return ".###.#...#....#...#...#...#...#####";
    case '3':
      return "####.....#....#.###.....#....#####.";
    case '4':
      return "...#...##..#.#.#..#.#####...#....#.";
    case '5':
      return "######....####.....#....##...#.###.";
    case '6':
      return "..##..#...#....####.#...##...#.###.";
    case '7':
      return "#####....#...#...#...#....#....#...";
    case '8':
      return ".###.#...##...#.###.#...##...#.###.";
    case '9':
      return ".###.#...##...#.####....#...#..##..";
    case 'K':
      return "#...##..#.#.#..##...#.#..#..#.#...#";
    case 'T':
      return "#####..#....#....#....#....#....#..";
    case 'F':
      return "######....#....####.#....#....#....";
    case 'e':
      return "..........###.#...######.#.....###.";
    case 'm':
      return "..........##.#.#.#.##.#.##...##...#";
    case 's':
      return "...........#####.....###.....#####.";
    case '=':
      return "..........#####.....#####..........";
    case '.':
      return "..............................##...";
    case '-':
      return "...............#####...............";
    case '/':
      return "....#....#...#...#...#...#....#....";
    default:
      return "...................................";
  }
}

}  // namespace

void Text(StrokeLayer& layer, const char* text, double x, double y, double pixel) {
  for (int k = 0; text[k] != '\0'; ++k) {
    const char* rows = GlyphRows(text[k]);
    for (int j = 0; j < 7; ++j) {
      for (int i = 0; i < 5; ++i) {
        if (rows[j * 5 + i] != '#') continue;
        const double gx = x + (k * 6 + i) * pixel;
        const double gy = y + j * pixel;
        layer.rect(gx, gy, gx + pixel, gy + pixel);
      }
    }
  }
}

namespace {

// One channel resampled along rows or columns with precomputed weights.
struct Tap {
  int source;
  double weight;
};

std::vector<std::vector<Tap>> ResampleTaps(int inSize, int outSize, double scale) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(outSize));
  for (int o = 0; o < outSize; ++o) {
    auto& t = taps[static_cast<std::size_t>(o)];
    if (scale < 1) {
      // Area average over the output pixel's footprint.
      const double from = o / scale;
      const double to = (o + 1) / scale;
      for (int i = static_cast<int>(std::floor(from)); i < static_cast<int>(std::ceil(to)); ++i) {
        const double w = std::min(to, i + 1.0) - std::max(from, static_cast<double>(i));
        if (w > 0) t.push_back({std::clamp(i, 0, inSize - 1), w * scale});
      }
    } else {
      const double u = (o + 0.5) / scale - 0.5;
      const int i = static_cast<int>(std::floor(u));
      const double f = u - i;
      t.push_back({std::clamp(i, 0, inSize - 1), 1 - f});
      t.push_back({std::clamp(i + 1, 0, inSize - 1), f});
    }
  }
  return taps;
}

void ApplyRows(const std::vector<float>& in, int inWidth, std::vector<float>& out, int outWidth, int height,
               const std::vector<std::vector<Tap>>& taps) {
  out.assign(static_cast<std::size_t>(outWidth) * static_cast<std::size_t>(height), 0.0f);
  for (int y = 0; y < height; ++y) {
    const float* src = in.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(inWidth);
    float* dst = out.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(outWidth);
    for (int x = 0; x < outWidth; ++x) {
      double sum = 0;
      for (const Tap& t : taps[static_cast<std::size_t>(x)]) sum += src[t.source] * t.weight;
      dst[x] = static_cast<float>(sum);
    }
  }
}

void ApplyColumns(const std::vector<float>& in, int width, std::vector<float>& out, int outHeight,
                  const std::vector<std::vector<Tap>>& taps) {
  out.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(outHeight), 0.0f);
  for (int y = 0; y < outHeight; ++y) {
    float* dst = out.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (const Tap& t : taps[static_cast<std::size_t>(y)]) {
      const float* src = in.data() + static_cast<std::size_t>(t.source) * static_cast<std::size_t>(width);
      for (int x = 0; x < width; ++x) dst[x] += static_cast<float>(src[x] * t.weight);
    }
  }
}

}  // namespace

FloatPicture Resample(const FloatPicture& in, double scale) {
  const int outWidth = std::max(1, static_cast<int>(std::lround(in.width * scale)));
  const int outHeight = std::max(1, static_cast<int>(std::lround(in.height * scale)));
  const auto across = ResampleTaps(in.width, outWidth, scale);
  const auto down = ResampleTaps(in.height, outHeight, scale);
  FloatPicture out;
  out.width = outWidth;
  out.height = outHeight;
  std::vector<float> rows;
  for (auto [src, dst] : {std::pair{&in.r, &out.r}, std::pair{&in.g, &out.g}, std::pair{&in.b, &out.b}}) {
    ApplyRows(*src, in.width, rows, outWidth, in.height, across);
    ApplyColumns(rows, outWidth, *dst, outHeight, down);
  }
  return out;
}

void Blur(FloatPicture& picture, double sigma) {
  if (sigma <= 0) return;
  const int radius = static_cast<int>(std::ceil(3 * sigma));
  std::vector<double> kernel(static_cast<std::size_t>(2 * radius + 1));
  double total = 0;
  for (int k = -radius; k <= radius; ++k) {
    kernel[static_cast<std::size_t>(k + radius)] = std::exp(-k * k / (2 * sigma * sigma));
    total += kernel[static_cast<std::size_t>(k + radius)];
  }
  for (double& k : kernel) k /= total;
  const int w = picture.width;
  const int h = picture.height;
  std::vector<float> tmp(picture.r.size());
  for (std::vector<float>* plane : {&picture.r, &picture.g, &picture.b}) {
    std::vector<float>& p = *plane;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        double sum = 0;
        for (int k = -radius; k <= radius; ++k) {
          sum +=
              kernel[static_cast<std::size_t>(k + radius)] * p[picture.index(std::clamp(x + k, 0, w - 1), y)];
        }
        tmp[picture.index(x, y)] = static_cast<float>(sum);
      }
    }
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        double sum = 0;
        for (int k = -radius; k <= radius; ++k) {
          sum += kernel[static_cast<std::size_t>(k + radius)] *
                 tmp[picture.index(x, std::clamp(y + k, 0, h - 1))];
        }
        p[picture.index(x, y)] = static_cast<float>(sum);
      }
    }
  }
}

namespace {

const int LumaTable[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                           14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                           18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                           49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
const int ChromaTable[64] = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
                             24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
                             99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                             99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

// Quantises one plane in 8 x 8 blocks of the discrete cosine transform.
void QuantisePlane(std::vector<double>& plane, int w, int h, const int* base, int quality) {
  const double scale = quality < 50 ? 5000.0 / quality : 200.0 - 2.0 * quality;
  double q[64];
  for (int k = 0; k < 64; ++k) q[k] = std::clamp(std::floor((base[k] * scale + 50) / 100), 1.0, 255.0);
  double c[8][8];
  for (int u = 0; u < 8; ++u) {
    for (int x = 0; x < 8; ++x) {
      c[u][x] = (u == 0 ? std::sqrt(0.125) : 0.5) * std::cos((2 * x + 1) * u * M_PI / 16);
    }
  }
  for (int by = 0; by < h; by += 8) {
    for (int bx = 0; bx < w; bx += 8) {
      double block[8][8];
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
          const int sx = std::min(bx + x, w - 1);
          const int sy = std::min(by + y, h - 1);
          block[y][x] = plane[static_cast<std::size_t>(sy) * static_cast<std::size_t>(w) +
                              static_cast<std::size_t>(sx)] -
                        128;
        }
      }
      double coef[8][8];
      for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
          double sum = 0;
          for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) sum += c[v][y] * c[u][x] * block[y][x];
          }
          coef[v][u] = std::round(sum / q[v * 8 + u]) * q[v * 8 + u];
        }
      }
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
          if (bx + x >= w || by + y >= h) continue;
          double sum = 0;
          for (int v = 0; v < 8; ++v) {
            for (int u = 0; u < 8; ++u) sum += c[v][y] * c[u][x] * coef[v][u];
          }
          plane[static_cast<std::size_t>(by + y) * static_cast<std::size_t>(w) +
                static_cast<std::size_t>(bx + x)] = sum + 128;
        }
      }
    }
  }
}

}  // namespace

void JpegRoundTrip(FloatPicture& picture, int quality) {
  const int w = picture.width;
  const int h = picture.height;
  const int cw = (w + 1) / 2;
  const int ch = (h + 1) / 2;
  std::vector<double> luma(picture.r.size());
  std::vector<double> cb(static_cast<std::size_t>(cw) * static_cast<std::size_t>(ch), 0.0);
  std::vector<double> cr(cb.size(), 0.0);
  std::vector<int> counts(cb.size(), 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::size_t i = picture.index(x, y);
      const double r = std::clamp(static_cast<double>(picture.r[i]), 0.0, 255.0);
      const double g = std::clamp(static_cast<double>(picture.g[i]), 0.0, 255.0);
      const double b = std::clamp(static_cast<double>(picture.b[i]), 0.0, 255.0);
      luma[i] = 0.299 * r + 0.587 * g + 0.114 * b;
      const std::size_t j =
          static_cast<std::size_t>(y / 2) * static_cast<std::size_t>(cw) + static_cast<std::size_t>(x / 2);
      cb[j] += 128 - 0.168736 * r - 0.331264 * g + 0.5 * b;
      cr[j] += 128 + 0.5 * r - 0.418688 * g - 0.081312 * b;
      ++counts[j];
    }
  }
  for (std::size_t j = 0; j < cb.size(); ++j) {
    cb[j] /= counts[j];
    cr[j] /= counts[j];
  }
  QuantisePlane(luma, w, h, LumaTable, quality);
  QuantisePlane(cb, cw, ch, ChromaTable, quality);
  QuantisePlane(cr, cw, ch, ChromaTable, quality);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::size_t i = picture.index(x, y);
      const std::size_t j =
          static_cast<std::size_t>(y / 2) * static_cast<std::size_t>(cw) + static_cast<std::size_t>(x / 2);
      const double Y = luma[i];
      const double Cb = cb[j] - 128;
      const double Cr = cr[j] - 128;
      picture.r[i] = static_cast<float>(Y + 1.402 * Cr);
      picture.g[i] = static_cast<float>(Y - 0.344136 * Cb - 0.714136 * Cr);
      picture.b[i] = static_cast<float>(Y + 1.772 * Cb);
    }
  }
}

}  // namespace devset
