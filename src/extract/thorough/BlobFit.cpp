#include "extract/thorough/BlobFit.h"

#include <algorithm>
#include <cmath>

namespace {

Rect Join(const Rect& a, const Rect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

}  // namespace

BlobFit::BlobFit(const InkPicture& picture, const ThoroughTemplate& unit, float otherColour,
                 const Rect& region, const std::vector<Rect>& neutral)
    : picture_(&picture),
      unit_(&unit),
      region_(region),
      index_(picture.width(), picture.height(), unit.width + unit.height + 4) {
  const std::size_t n = static_cast<std::size_t>(region.width()) * static_cast<std::size_t>(region.height());
  ink_.assign(n, 0);
  judged_.assign(n, 0);
  model_.reset(region.Left, region.Top, region.width(), region.height());
  error_.assign(n, 0);
  const std::array<float, 3>& d = unit.meanDirection;
  const float ratio2 = otherColour * otherColour;
  for (int y = std::max(region.Top, 0); y < std::min(region.Bottom, picture.height()); ++y) {
    for (int x = std::max(region.Left, 0); x < std::min(region.Right, picture.width()); ++x) {
      const std::uint32_t ink = picture.at(x, y);
      if (ink & InkPicture::Unjudged) continue;
      const std::size_t i = index(x, y);
      if (ink != 0) {
        const float r = static_cast<float>(InkRed(ink));
        const float g = static_cast<float>(InkGreen(ink));
        const float b = static_cast<float>(InkBlue(ink));
        const float a = r * d[0] + g * d[1] + b * d[2];
        if (a <= 0 || r * r + g * g + b * b - a * a > ratio2 * a * a) continue;  // another colour
      }
      judged_[i] = 1;
      ink_[i] = ink;
      error_[i] = misfit(i, 0);
    }
  }
  for (const Rect& r : neutral) {
    if (!BoxesMeet(r, region)) continue;
    for (int y = std::max(r.Top, region.Top); y < std::min(r.Bottom, region.Bottom); ++y) {
      for (int x = std::max(r.Left, region.Left); x < std::min(r.Right, region.Right); ++x) {
        judged_[index(x, y)] = 0;
        error_[index(x, y)] = 0;
      }
    }
  }
}

float BlobFit::misfit(std::size_t i, std::uint32_t model) const {
  return judged_[i] ? InkDistance(ink_[i], model) : 0.0f;
}

Rect BlobFit::boxOf(Position at) const {
  const Placement p = PlacementOf(at);
  return {p.x - 1, p.y - 1, p.x + unit_->width + 1, p.y + unit_->height + 1};
}

void BlobFit::membersNear(const Rect& box, std::vector<int>& out) const {
  index_.near(box, out);
  out.erase(std::remove_if(out.begin(), out.end(),
                           [&](int k) {
                             const Member& m = members_[static_cast<std::size_t>(k)];
                             return m.removed || !BoxesMeet(boxOf(m.at), box);
                           }),
            out.end());
}

int BlobFit::addMember(Position at, bool movable, int id) {
  const int k = static_cast<int>(members_.size());
  members_.push_back({at, movable, id, false});
  index_.add(k, boxOf(at));
  const Placement p = PlacementOf(at);
  for (const TemplatePixel& t : unit_->phases[static_cast<std::size_t>(p.phase)].ink) {
    const int x = p.x + t.dx;
    const int y = p.y + t.dy;
    if (!inside(x, y)) continue;
    const std::size_t i = index(x, y);
    model_.ink[i] = InkUnion(model_.ink[i], t.packed);
    error_[i] = misfit(i, model_.ink[i]);
  }
  return k;
}

float BlobFit::gainOfAdding(Position at) const {
  const Placement p = PlacementOf(at);
  float gain = 0;
  for (const TemplatePixel& t : unit_->phases[static_cast<std::size_t>(p.phase)].ink) {
    const int x = p.x + t.dx;
    const int y = p.y + t.dy;
    if (!inside(x, y)) continue;
    const std::size_t i = index(x, y);
    if (!judged_[i]) continue;
    const std::uint32_t next = InkUnion(model_.ink[i], t.packed);
    if (next != model_.ink[i]) gain += misfit(i, next) - error_[i];
  }
  return gain;
}

float BlobFit::misfitOver(const Rect& box) const {
  float total = 0;
  for (int y = std::max(box.Top, region_.Top); y < std::min(box.Bottom, region_.Bottom); ++y) {
    for (int x = std::max(box.Left, region_.Left); x < std::min(box.Right, region_.Right); ++x)
      total += error_[index(x, y)];
  }
  return total;
}

float BlobFit::evidenceAt(Position at) const {
  const Placement p = PlacementOf(at);
  float total = 0;
  for (const TemplatePixel& t : unit_->phases[static_cast<std::size_t>(p.phase)].ink) {
    const int x = p.x + t.dx;
    const int y = p.y + t.dy;
    if (x >= 0 && y >= 0 && x < picture_->width() && y < picture_->height()) total += t.length;
  }
  return total;
}

bool BlobFit::unexplained(int x, int y, float least) const {
  if (!inside(x, y)) return false;
  const std::size_t i = index(x, y);
  if (!judged_[i] || ink_[i] == 0) return false;
  const std::uint32_t left = LessExplained(ink_[i], model_.ink[i]);
  const std::array<float, 3>& d = unit_->meanDirection;
  const float a = static_cast<float>(InkRed(left)) * d[0] + static_cast<float>(InkGreen(left)) * d[1] +
                  static_cast<float>(InkBlue(left)) * d[2];
  return a >= least * unit_->maxLength;
}

float BlobFit::unexplainedOver(const Rect& box) const {
  const std::array<float, 3>& d = unit_->meanDirection;
  float total = 0;
  for (int y = std::max(box.Top, region_.Top); y < std::min(box.Bottom, region_.Bottom); ++y) {
    for (int x = std::max(box.Left, region_.Left); x < std::min(box.Right, region_.Right); ++x) {
      const std::size_t i = index(x, y);
      if (!judged_[i] || ink_[i] == 0) continue;
      const std::uint32_t left = LessExplained(ink_[i], model_.ink[i]);
      total +=
          std::max(0.0f, static_cast<float>(InkRed(left)) * d[0] + static_cast<float>(InkGreen(left)) * d[1] +
                             static_cast<float>(InkBlue(left)) * d[2]);
    }
  }
  return total;
}

float BlobFit::misfitWith(const Rect& box, int skip, Position at, bool without) {
  scratch_.reset(box.Left, box.Top, box.width(), box.height());
  membersNear(box, near_);
  for (const int k : near_) {
    if (k == skip) continue;
    const Placement p = PlacementOf(members_[static_cast<std::size_t>(k)].at);
    scratch_.add(unit_->phases[static_cast<std::size_t>(p.phase)], p.x, p.y);
  }
  if (!without) {
    const Placement p = PlacementOf(at);
    scratch_.add(unit_->phases[static_cast<std::size_t>(p.phase)], p.x, p.y);
  }
  float total = 0;
  for (int y = std::max(box.Top, region_.Top); y < std::min(box.Bottom, region_.Bottom); ++y) {
    for (int x = std::max(box.Left, region_.Left); x < std::min(box.Right, region_.Right); ++x) {
      total += misfit(index(x, y), scratch_.at(x, y));
    }
  }
  return total;
}

float BlobFit::gainOfMoving(int k, Position to) {
  const Member& m = members_[static_cast<std::size_t>(k)];
  const Rect box = Join(boxOf(m.at), boxOf(to));
  return misfitWith(box, k, to, false) - misfitOver(box);
}

float BlobFit::gainOfRemoving(int k) {
  const Member& m = members_[static_cast<std::size_t>(k)];
  const Rect box = boxOf(m.at);
  return misfitWith(box, k, m.at, true) - misfitOver(box);
}

void BlobFit::rebuild(const Rect& box) {
  scratch_.reset(box.Left, box.Top, box.width(), box.height());
  membersNear(box, near_);
  for (const int k : near_) {
    const Placement p = PlacementOf(members_[static_cast<std::size_t>(k)].at);
    scratch_.add(unit_->phases[static_cast<std::size_t>(p.phase)], p.x, p.y);
  }
  for (int y = std::max(box.Top, region_.Top); y < std::min(box.Bottom, region_.Bottom); ++y) {
    for (int x = std::max(box.Left, region_.Left); x < std::min(box.Right, region_.Right); ++x) {
      const std::size_t i = index(x, y);
      model_.ink[i] = scratch_.at(x, y);
      error_[i] = misfit(i, model_.ink[i]);
    }
  }
}

void BlobFit::move(int k, Position to) {
  Member& m = members_[static_cast<std::size_t>(k)];
  const Rect box = Join(boxOf(m.at), boxOf(to));
  index_.remove(k, boxOf(m.at));
  m.at = to;
  index_.add(k, boxOf(to));
  rebuild(box);
}

void BlobFit::remove(int k) {
  Member& m = members_[static_cast<std::size_t>(k)];
  if (m.removed) return;
  index_.remove(k, boxOf(m.at));
  m.removed = true;
  rebuild(boxOf(m.at));
}

void BlobFit::restore(const Mark& mark) {
  // Every member that changed, and those added since, are put back.
  for (std::size_t k = 0; k < members_.size(); ++k) {
    const Member& now = members_[k];
    const bool added = k >= mark.members.size();
    const Member* then = added ? nullptr : &mark.members[k];
    if (!added && now.at.x == then->at.x && now.at.y == then->at.y && now.removed == then->removed) continue;
    Rect box = boxOf(now.at);
    if (!now.removed) index_.remove(static_cast<int>(k), box);
    if (!added) {
      box = Join(box, boxOf(then->at));
      if (!then->removed) index_.add(static_cast<int>(k), boxOf(then->at));
    }
    members_[k] = added ? Member{now.at, now.movable, now.id, true} : *then;
    rebuild(box);
  }
  members_.resize(mark.members.size());
}
