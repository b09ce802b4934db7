#pragma once

#include <vector>

#include "devset/DevSet.h"

// The recipes of each group of the development set.
namespace devset {

// Plots drawn over the whole picture with the dot font: one or two series,
// grids, fits and every kind of scan.
std::vector<PictureRecipe> ClassicPictures();
// Office-program charts: a filled plot area, solid grid lines, outlined
// markers, a legend and a second series.
std::vector<PictureRecipe> OfficePictures();
// Figures on a page: tick labels, captions and paragraphs in real fonts
// beside, below and over the plot.
std::vector<PictureRecipe> TextPictures();
// Noisy scans stored as JPEG files.
std::vector<PictureRecipe> JpegPictures();
// Spectra of hundreds to thousands of channels whose symbols overlap.
std::vector<PictureRecipe> DensePictures();
// Random scatter plots of black marks, from apart to heavily overlapping.
std::vector<PictureRecipe> ScatterPictures();
// Dense spectra drawn over the whole width, one point per channel: the
// channels' truth for the one-point-per-channel option.
std::vector<PictureRecipe> SpectrumPictures();

}  // namespace devset
