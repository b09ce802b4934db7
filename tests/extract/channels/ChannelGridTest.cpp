#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "extract/channels/ChannelGrid.h"

namespace {

struct Page {
  double spacing;
  double offset;
  int channels;
  double kept;       // share of the channels with a confident detection
  double jitter;     // largest shift, as a share of the spacing
  double strangers;  // columns off the grid, as a share of those on it
};

std::vector<double> ColumnsOf(const Page& page, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<double> columns;
  for (int k = 0; k < page.channels; ++k) {
    if (unit(random) >= page.kept) continue;
    columns.push_back(page.offset + k * page.spacing + (2 * unit(random) - 1) * page.jitter * page.spacing);
  }
  const double width = page.offset + page.channels * page.spacing;
  const int strangers = static_cast<int>(page.strangers * static_cast<double>(columns.size()));
  for (int i = 0; i < strangers; ++i) columns.push_back(unit(random) * width);
  return columns;
}

// The offset as found is the first channel column right of pixel 0.
double OffsetError(const ChannelGrid& grid, const Page& page) {
  const double d = std::remainder(grid.offset - page.offset, page.spacing);
  return std::abs(d);
}

}  // namespace

TEST(ChannelGrid, RecoversSpacingAndOffsetFromJitteredGappedAndStrayColumns) {
  const Page pages[] = {
      {1.953, 0.7, 512, 0.45, 0.08, 0.0},   // 1000 px, every other channel or so
      {1.953, 0.7, 512, 0.30, 0.15, 0.15},  // few kept, strays between
      {2.93, 13.2, 1024, 0.6, 0.1, 0.1},    // 3000 px wide
      {11.7, 5.0, 256, 0.25, 0.2, 0.2},     // sparse and rough
      {3.6, 2.0, 300, 0.9, 0.02, 0.3},      // nearly all kept, many strays
      {5.0, 4.9, 120, 0.5, 0.1, 0.0},       // offset near a whole spacing
  };
  unsigned seed = 1;
  for (const Page& page : pages) {
    for (int trial = 0; trial < 5; ++trial, ++seed) {
      SCOPED_TRACE(testing::Message()
                   << "spacing " << page.spacing << " kept " << page.kept << " seed " << seed);
      const ChannelGridEstimate found = EstimateChannelGrid(ColumnsOf(page, seed));
      ASSERT_TRUE(found.grid) << found.why;
      // Over all the channels the grid drifts by no more than a tenth of
      // a spacing.
      EXPECT_NEAR(found.grid->spacing, page.spacing, 0.1 * page.spacing / page.channels);
      EXPECT_LT(OffsetError(*found.grid, page), 0.05 * page.spacing);
      if (page.strangers == 0) {
        EXPECT_LT(found.grid->rms, 0.7 * page.jitter * page.spacing);
      }
    }
  }
}

TEST(ChannelGrid, AKnownChannelCountIsOnlyRefined) {
  const Page page{2.93, 1.0, 1024, 0.4, 0.1, 0.1};
  const auto columns = ColumnsOf(page, 99);
  ChannelGridSearch search;
  search.expectedSpacing = page.spacing * 1.03;
  const ChannelGridEstimate found = EstimateChannelGrid(columns, search);
  ASSERT_TRUE(found.grid) << found.why;
  EXPECT_NEAR(found.grid->spacing, page.spacing, 1e-3);
  EXPECT_LT(OffsetError(*found.grid, page), 0.05 * page.spacing);
}

TEST(ChannelGrid, NoGridFromTooFewOrScatteredColumns) {
  EXPECT_FALSE(EstimateChannelGrid({10, 20, 30, 40, 50, 60, 70}).grid);
  EXPECT_NE(EstimateChannelGrid({10, 20, 30}).why.find("3 confident symbols"), std::string::npos);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> anywhere(0, 1000);
  std::vector<double> scattered;
  for (int i = 0; i < 60; ++i) scattered.push_back(anywhere(random));
  const ChannelGridEstimate found = EstimateChannelGrid(scattered);
  EXPECT_FALSE(found.grid) << "spacing " << (found.grid ? found.grid->spacing : 0);
  EXPECT_NE(found.why.find("line up"), std::string::npos) << found.why;
}
