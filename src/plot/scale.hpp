// Scales: where a value of the data lands on the page. A continuous scale maps its domain
// linearly or logarithmically onto a range of pixels; a band scale gives each of a number of
// categories an equal band.
#pragma once

#include <cstddef>

namespace clonal::plot {

enum class ScaleKind { kLinear, kLog };

struct Domain {
    double low = 0.0;
    double high = 1.0;
};

class Scale {
  public:
    // start and end are the pixels of domain.low and domain.high (end below start for a y
    // axis, whose values grow upward). A log scale needs a positive domain.
    Scale(ScaleKind kind, Domain domain, double start, double end);

    double operator()(double value) const;
    ScaleKind kind() const { return kind_; }
    const Domain& domain() const { return domain_; }
    double start() const { return start_; }
    double end() const { return end_; }
    // Whether value lies in the domain (with a tolerance of a millionth of its span).
    bool contains(double value) const;

  private:
    ScaleKind kind_;
    Domain domain_;
    double start_;
    double end_;
};

class BandScale {
  public:
    BandScale(std::size_t categories, double start, double end);

    // The middle of the band of category i (0 is the band at start).
    double centre(std::size_t i) const;
    double band() const { return band_; }

  private:
    double start_;
    double band_;
};

// The domain of the values from low to high made usable: a single value or an empty span is
// widened around it, so that every scale has room; so is a linear span too narrow to label
// (below 1e-12 of its values' size, or below 1e-200).
Domain widened(Domain domain, ScaleKind kind);

}  // namespace clonal::plot
