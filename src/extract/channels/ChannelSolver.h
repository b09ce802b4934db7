#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "extract/channels/ChannelFit.h"
#include "extract/thorough/Positions.h"
#include "extract/thorough/SearchState.h"

// The flag over a pixel of JudgedInk whose ink counts neither way.
constexpr std::uint32_t NotJudged = 1u << 31;

// The picture's ink as the channel fit judges it: ink of another colour and
// the frame flagged with NotJudged.
std::vector<std::uint32_t> JudgedInk(SearchState& s);

// The channels of one grid and their symbols as fitted so far (see
// FitChannels): each channel's template on its grid column, its row fitted
// against the union of its neighbours' templates.
class ChannelSolver {
 public:
  // `judged`: the picture's ink as JudgedInk gives it.
  ChannelSolver(SearchState& s, const ChannelGrid& grid, const std::vector<ThoroughPoint>& seeds,
                const std::vector<std::uint32_t>& judged);

  int channels() const { return static_cast<int>(channels_.size()); }

  // The first pass: the channels without a seed fitted between those with one.
  bool firstPass();

  // The channels with a symbol.
  int presentCount() const;

  // The misfit of the union of every channel's template over the picture.
  double totalMisfit() const;

  // Passes after the first, each over the channels near one that changed
  // in the last, until none changes.
  bool finish();

  // Pairs of neighbouring channels fitted jointly, their two rows searched
  // together over the rows both span, and then the passes again: in a deep
  // band two channels may each fit best only where the other would have to
  // move first.
  bool polish();

  // The grid refitted to the columns where the channels' symbols fit best:
  // each found between eighths of a pixel from the misfit's V, free to move
  // twice as far as the fit let it.
  void refineGrid(ChannelGrid& grid);

  // The channels with a symbol as points, and how many channels lie in the picture.
  void collect(ChannelFitResult& out) const;

 private:
  // Eighths of a pixel a channel's template may move off its grid column.
  static constexpr int ColumnRefinement = 2;

  struct Channel {
    int number = 0;
    double column = 0;
    int x = 0;  // the template's column at the grid, eighths of a pixel
    bool seeded = false;
    float seedScore = 0;
    bool present = false;
    Position at;
  };

  // The picture around one channel with its neighbours' union, where one
  // lane fits it.
  struct Window {
    ExplainedInk model;
    std::vector<std::uint32_t> ink;
    std::vector<float> base;  // the misfit of each pixel without the channel
    ExplainedInk scratch;
  };

  // A placement as judged in a window.
  struct Judged {
    Position at;
    float gain = 0;    // the misfit's change (negative: better)
    float judged = 0;  // the template's ink where the picture is judged
    float inside = 0;  // the template's ink inside the picture
    float cost = 0;    // gain and the distance from the neighbours' suggestion
    bool valid = false;
  };

  std::size_t pixel(int x, int y) const;

  int roundedToPhases(double eighths) const;

  // Every channel whose column lies in the picture.
  void makeChannels(const ChannelGrid& grid);

  // The confident detections as first rows of their channels.
  void seed(const ChannelGrid& grid, const std::vector<ThoroughPoint>& seeds);

  // The row (eighths) the two channels suggest for channel c between them.
  double between(int c, int left, int right) const;

  // The nearest channels with a symbol within reach on either side.
  std::array<int, 2> presentNeighbours(int c) const;

  // Fills the window over placement rows lo .. hi (eighths) of channel c.
  void prepare(int c, int lo, int hi, Window& w, int across = ColumnRefinement) const;

  // The window over `box` with every channel near a and b but them.
  void prepareBox(const Rect& box, int a, int b, Window& w) const;

  Judged judge(Position at, const Window& w, std::optional<double> suggested) const;

  // The best placement of channel c over rows lo .. hi (eighths), and
  // whether it holds a symbol.
  bool fit(int c, int lo, int hi, std::optional<double> suggested, bool flanked, Window& w);

  int rows(int pixels) const { return pixels * PhaseSteps; }
  int lowest() const { return rows(-unit_.height); }
  int highest() const { return rows(s_.height); }

  // One channel of a pass; true when it changed.
  bool step(int c, bool first, Window& w);

  Rect boxOf(Position at) const;

  // The misfit over the window with channels' templates at pa and pb added.
  float misfitWith(Position pa, Position pb, Window& w) const;

  // Two overlapping channels may have each other's rows: one channel at a
  // time cannot undo that, as each row is taken while the other holds it.
  bool swapRows(int a, int b, Window& w);

  bool swaps();

  // Passes over the channels in `todo`, then over those near the ones that
  // changed, until none changes.
  bool finish(std::vector<char> todo);

  // The channels within reach of one the last pass or swaps changed.
  std::vector<char> nearMoved() const;

  // The best pair of rows for channels a and b (whole pixels from their own)
  // with every other channel as it stands; true when they moved.
  bool refitPair(int a, int b, Window& w);

  // Every channel once: blocks of channels wider than the reach of a
  // template, the even blocks on both lanes first and then the odd ones, so
  // that no two channels fitted at the same time see each other.
  bool pass(bool first, bool& changed, const std::vector<char>* todo = nullptr);

  // Every channel once, in blocks of `block` channels: the even blocks on
  // both lanes first and then the odd ones, so that channels worked on at
  // the same time lie at least a block apart. `work(c, w)` does channel c in
  // its lane's window and gives the units it spent. False when stopped.
  bool byBlocks(int block, const std::function<std::int64_t(int, Window&)>& work);

  SearchState& s_;
  const ThoroughTemplate& unit_;
  bool fine_;
  const std::vector<std::uint32_t>& ink_;
  std::vector<Channel> channels_;
  std::vector<int> seededLeft_;
  std::vector<int> seededRight_;
  int reach_ = 1;
  int block_ = 2;
  std::vector<char> moved_;  // the channels the last pass (and its swaps) changed
  std::array<Window, WorkLanes::Count> windows_;
};
