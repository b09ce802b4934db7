#pragma once

#include <vector>

#include "extract/thorough/DetectionIndex.h"
#include "extract/thorough/InkPicture.h"
#include "extract/thorough/PlacementScore.h"
#include "extract/thorough/Positions.h"
#include "extract/thorough/ThoroughTemplate.h"

// Several placements of the template fitted at once to the ink of one region
// of the picture. The region's ink is modelled as the union of the placed
// templates (their pixelwise maximum, channel by channel); the misfit is the
// summed length of the difference between the picture's ink and the model
// over the pixels of the template's colour (ink of another colour, and ink
// not to be judged, count neither way).
class BlobFit {
 public:
  // Ink inside the `neutral` boxes (symbols of another kind) counts neither way.
  BlobFit(const InkPicture& picture, const ThoroughTemplate& unit, float otherColour, const Rect& region,
          const std::vector<Rect>& neutral);

  struct Member {
    Position at;
    bool movable = true;
    int id = -1;  // the detection it came from, -1 when added here
    bool removed = false;
  };

  int addMember(Position at, bool movable, int id);
  const std::vector<Member>& members() const { return members_; }
  void move(int k, Position to);
  void remove(int k);

  // The misfit's change if a placement were added at `at` (negative: better).
  float gainOfAdding(Position at) const;
  // The misfit's change if member k moved to `to`, or were removed.
  float gainOfMoving(int k, Position to);
  float gainOfRemoving(int k);
  // The misfit over a box.
  float misfitOver(const Rect& box) const;

  // Changes made after a mark can be taken back.
  struct Mark {
    std::vector<Member> members;
  };
  Mark mark() const { return {members_}; }
  void restore(const Mark& m);

  // The template's ink length inside the picture at a position.
  float evidenceAt(Position at) const;
  // Unexplained ink of the template's colour, at least `least` of the
  // strongest template pixel, at a pixel of the region.
  bool unexplained(int x, int y, float least) const;
  // The ink of the template's colour the members leave unexplained over a box.
  float unexplainedOver(const Rect& box) const;
  // The members whose templates meet a box.
  void membersNear(const Rect& box, std::vector<int>& out) const;
  Rect boxOf(Position at) const;
  const Rect& region() const { return region_; }
  // The ink the members explain, over the region.
  const ExplainedInk& model() const { return model_; }

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y - region_.Top) * static_cast<std::size_t>(region_.width()) +
           static_cast<std::size_t>(x - region_.Left);
  }
  bool inside(int x, int y) const {
    return x >= region_.Left && y >= region_.Top && x < region_.Right && y < region_.Bottom;
  }
  float misfit(std::size_t i, std::uint32_t model) const;
  // The misfit over `box` with the model of the live members except `skip`,
  // and `skip` placed at `at` unless `without`.
  float misfitWith(const Rect& box, int skip, Position at, bool without);
  // Recomputes the model over a box from the members.
  void rebuild(const Rect& box);

  const InkPicture* picture_;  // pointers, so that a fit can be copied
  const ThoroughTemplate* unit_;
  Rect region_;
  std::vector<std::uint32_t> ink_;  // the picture's ink
  std::vector<char> judged_;        // of the template's colour (or paper)
  ExplainedInk model_;              // the union of the members, over the region
  std::vector<float> error_;        // the misfit per pixel under the model
  std::vector<Member> members_;
  DetectionIndex index_;
  ExplainedInk scratch_;
  std::vector<int> near_;
};
