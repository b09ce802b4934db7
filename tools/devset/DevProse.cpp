#include <sstream>

#include "devset/DevRenderParts.h"

namespace devset {

namespace {

// Sentences of the kind that surround plots in papers and reports.
const char* Sentence(std::size_t k) {
  static const char* const sentences[] = {
      "The spectra were recorded in transmission geometry at room temperature with a constant "
      "acceleration drive.",
      "Velocities are given relative to α-iron at 295 K, and the line width of the calibration foil was "
      "0.24 mm/s.",
      "Each spectrum was fitted with a sum of Lorentzian doublets and sextets by least squares.",
      "The isomer shift of the ferrous component decreases slightly on cooling, as expected from the "
      "second-order Doppler shift.",
      "Figure 3 shows that the quadrupole splitting of the minor site grows from 0.62 to 0.87 mm/s "
      "between 80 and 300 K.",
      "Error bars are smaller than the symbols and have been omitted for clarity.",
      "Samples of about 20 mg/cm² were pressed between two layers of Kapton foil.",
      "The hyperfine field distribution was obtained with a histogram method of 40 bins.",
      "Below 120 K a magnetic sextet appears, and its relative area reaches 38 ± 2 % at 4.2 K.",
      "No significant texture effects were observed when the absorber was rotated by 54.7°.",
      "The solid line is the fit described in the text; the dashed line marks the baseline.",
      "Counts were collected for 48 h per spectrum in 512 channels, then folded to remove the "
      "parabolic background.",
      "A thin absorber approximation was used throughout, so the areas are proportional to the site "
      "populations.",
      "The residuals show no systematic structure, which supports the choice of two sites.",
      "Table 2 lists the fitted parameters together with their estimated standard deviations.",
      "The particle size, determined by X-ray diffraction, is 12 nm for the annealed sample.",
      "Similar results were reported for synthetic goethite and for natural samples of ferrihydrite.",
      "At higher temperatures the sextet collapses into a doublet because of superparamagnetic "
      "relaxation.",
      "The absorption is weaker in the oxidised sample, whose Fe(III) fraction exceeds 0.9.",
      "Measurements at 10, 50 and 100 K were repeated twice to check the stability of the cryostat.",
      "The data points were read off the published figure and converted to velocity units.",
      "In the inset, the temperature dependence of the hyperfine field follows a Brillouin curve with "
      "S = 5/2.",
      "We attribute the broad central feature to iron in poorly crystalline phases.",
      "The calibration was checked before and after each run with a 25 µm iron foil.",
      "Spectra of the two series differ mainly in the intensity of the outer lines.",
      "Open symbols denote the heating run and filled symbols the cooling run.",
      "The uncertainty of the isomer shift is estimated at ±0.02 mm/s, including the calibration.",
      "For comparison, the spectrum of the untreated material is shown at the top of the figure.",
      "All fits converged to χ² values between 1.05 and 1.21 per degree of freedom.",
      "The asymmetry of the doublet vanishes at the magic angle, ruling out the Goldanskii–Karyagin "
      "effect.",
  };
  constexpr std::size_t count = sizeof sentences / sizeof sentences[0];
  return sentences[k % count];
}

}  // namespace

std::vector<std::string> ProseLines(FontLibrary& fonts, const Font& font, double width, int lines,
                                    std::mt19937& random) {
  std::vector<std::string> out;
  std::size_t sentence = random() % 1000;
  std::string line;
  while (static_cast<int>(out.size()) < lines) {
    std::istringstream words(Sentence(sentence++));
    std::string word;
    while (words >> word && static_cast<int>(out.size()) < lines) {
      const std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && fonts.width(longer, font) > width) {
        out.push_back(line);
        line = word;
      } else {
        line = longer;
      }
    }
  }
  return out;
}

}  // namespace devset
