// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/box_engine.h"

#include <algorithm>
#include <cmath>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "solver/written_value.h"

namespace prism {
namespace {

using Values = std::array<ExactNumber, kBoxQuantityCount>;

constexpr std::size_t kA = Index(BoxQuantity::kA), kB = Index(BoxQuantity::kB),
                      kC = Index(BoxQuantity::kC), kS = Index(BoxQuantity::kS),
                      kS1 = Index(BoxQuantity::kS1), kV = Index(BoxQuantity::kV),
                      kBase = Index(BoxQuantity::kBase), kP = Index(BoxQuantity::kP),
                      kD = Index(BoxQuantity::kD), kL = Index(BoxQuantity::kL);

// A relation of the box solved for one of its quantities, from the others.
struct Solved {
  std::size_t target;
  std::array<std::size_t, 3> needs;
  std::size_t need_count;
  std::string_view text;    // as the textbook writes it: "c = V : B"
  std::string_view put_in;  // its right-hand side by the quantities' letters (T is S₁)
  ExactNumber (*value)(const Values&);
  // Where it takes a square root: what is under it, which must be above 0.
  std::string_view radicand_text = {};
  ExactNumber (*radicand)(const Values&) = nullptr;
};

ExactNumber Square(const ExactNumber& x) { return x * x; }

// In a pupil's order: what follows from the edges first, then each relation
// solved for what it does not know.
constexpr std::array<Solved, 23> kSolved = {{
    {kP, {kA, kB}, 2, "P = 2·(a + b)", "2·(a + b)", [](const Values& v) { return 2 * (v[kA] + v[kB]); }},
    {kBase, {kA, kB}, 2, "B = a·b", "a·b", [](const Values& v) { return v[kA] * v[kB]; }},
    {kS, {kP, kC}, 2, "S = P·c", "P·c", [](const Values& v) { return v[kP] * v[kC]; }},
    {kV, {kBase, kC}, 2, "V = B·c", "B·c", [](const Values& v) { return v[kBase] * v[kC]; }},
    {kS1, {kS, kBase}, 2, "S₁ = S + 2·B", "S + 2·B", [](const Values& v) { return v[kS] + 2 * v[kBase]; }},
    {kD, {kA, kB, kC}, 3, "d = √(a² + b² + c²)", "√(a² + b² + c²)",
     [](const Values& v) { return Sqrt(Square(v[kA]) + Square(v[kB]) + Square(v[kC])); }},
    {kL, {kA, kB, kC}, 3, "L = 4·(a + b + c)", "4·(a + b + c)",
     [](const Values& v) { return 4 * (v[kA] + v[kB] + v[kC]); }},
    {kC, {kV, kBase}, 2, "V = B·c → c = V : B", "V : B", [](const Values& v) { return v[kV] / v[kBase]; }},
    {kC, {kS, kP}, 2, "S = P·c → c = S : P", "S : P", [](const Values& v) { return v[kS] / v[kP]; }},
    {kBase, {kV, kC}, 2, "V = B·c → B = V : c", "V : c", [](const Values& v) { return v[kV] / v[kC]; }},
    {kP, {kS, kC}, 2, "S = P·c → P = S : c", "S : c", [](const Values& v) { return v[kS] / v[kC]; }},
    {kBase, {kS1, kS}, 2, "S₁ = S + 2·B → B = (S₁ − S) : 2", "(T − S) : 2",
     [](const Values& v) { return (v[kS1] - v[kS]) / 2; }},
    {kS, {kS1, kBase}, 2, "S₁ = S + 2·B → S = S₁ − 2·B", "T − 2·B",
     [](const Values& v) { return v[kS1] - 2 * v[kBase]; }},
    {kA, {kBase, kB}, 2, "B = a·b → a = B : b", "B : b", [](const Values& v) { return v[kBase] / v[kB]; }},
    {kB, {kBase, kA}, 2, "B = a·b → b = B : a", "B : a", [](const Values& v) { return v[kBase] / v[kA]; }},
    {kA, {kP, kB}, 2, "P = 2·(a + b) → a = P : 2 − b", "P : 2 − b",
     [](const Values& v) { return v[kP] / 2 - v[kB]; }},
    {kB, {kP, kA}, 2, "P = 2·(a + b) → b = P : 2 − a", "P : 2 − a",
     [](const Values& v) { return v[kP] / 2 - v[kA]; }},
    {kA, {kL, kB, kC}, 3, "L = 4·(a + b + c) → a = L : 4 − b − c", "L : 4 − b − c",
     [](const Values& v) { return v[kL] / 4 - v[kB] - v[kC]; }},
    {kB, {kL, kA, kC}, 3, "L = 4·(a + b + c) → b = L : 4 − a − c", "L : 4 − a − c",
     [](const Values& v) { return v[kL] / 4 - v[kA] - v[kC]; }},
    {kC, {kL, kA, kB}, 3, "L = 4·(a + b + c) → c = L : 4 − a − b", "L : 4 − a − b",
     [](const Values& v) { return v[kL] / 4 - v[kA] - v[kB]; }},
    {kA, {kD, kB, kC}, 3, "d² = a² + b² + c² → a = √(d² − b² − c²)", "√(d² − b² − c²)",
     [](const Values& v) { return Sqrt(Square(v[kD]) - Square(v[kB]) - Square(v[kC])); },
     "d² − b² − c²", [](const Values& v) { return Square(v[kD]) - Square(v[kB]) - Square(v[kC]); }},
    {kB, {kD, kA, kC}, 3, "d² = a² + b² + c² → b = √(d² − a² − c²)", "√(d² − a² − c²)",
     [](const Values& v) { return Sqrt(Square(v[kD]) - Square(v[kA]) - Square(v[kC])); },
     "d² − a² − c²", [](const Values& v) { return Square(v[kD]) - Square(v[kA]) - Square(v[kC]); }},
    {kC, {kD, kA, kB}, 3, "d² = a² + b² + c² → c = √(d² − a² − b²)", "√(d² − a² − b²)",
     [](const Values& v) { return Sqrt(Square(v[kD]) - Square(v[kA]) - Square(v[kB])); },
     "d² − a² − b²", [](const Values& v) { return Square(v[kD]) - Square(v[kA]) - Square(v[kB]); }},
}};

// What a step that subtracts takes from what: where the difference is no
// edge or area, a pupil who has not met negative numbers is told that the
// one is not smaller than the other. By the step's right-hand side (or what
// is under its root) in letters.
struct Difference {
  std::string_view put_in;
  std::string_view minuend_text;
  ExactNumber (*minuend)(const Values&);
  std::string_view subtrahend_text;
  ExactNumber (*subtrahend)(const Values&);
};

constexpr std::array<Difference, 10> kDifferences = {{
    {"P : 2 − b", "a + b = P : 2", [](const Values& v) { return v[kP] / 2; }, "b", [](const Values& v) { return v[kB]; }},
    {"P : 2 − a", "a + b = P : 2", [](const Values& v) { return v[kP] / 2; }, "a", [](const Values& v) { return v[kA]; }},
    {"L : 4 − b − c", "a + b + c = L : 4", [](const Values& v) { return v[kL] / 4; }, "b + c",
     [](const Values& v) { return v[kB] + v[kC]; }},
    {"L : 4 − a − c", "a + b + c = L : 4", [](const Values& v) { return v[kL] / 4; }, "a + c",
     [](const Values& v) { return v[kA] + v[kC]; }},
    {"L : 4 − a − b", "a + b + c = L : 4", [](const Values& v) { return v[kL] / 4; }, "a + b",
     [](const Values& v) { return v[kA] + v[kB]; }},
    {"(T − S) : 2", "S₁", [](const Values& v) { return v[kS1]; }, "S", [](const Values& v) { return v[kS]; }},
    {"T − 2·B", "S₁", [](const Values& v) { return v[kS1]; }, "2·B", [](const Values& v) { return 2 * v[kBase]; }},
    {"d² − b² − c²", "d²", [](const Values& v) { return Square(v[kD]); }, "b² + c²",
     [](const Values& v) { return Square(v[kB]) + Square(v[kC]); }},
    {"d² − a² − c²", "d²", [](const Values& v) { return Square(v[kD]); }, "a² + c²",
     [](const Values& v) { return Square(v[kA]) + Square(v[kC]); }},
    {"d² − a² − b²", "d²", [](const Values& v) { return Square(v[kD]); }, "a² + b²",
     [](const Values& v) { return Square(v[kA]) + Square(v[kB]); }},
}};

constexpr const Difference* FindDifference(std::string_view put_in) {
  for (const Difference& difference : kDifferences) {
    if (difference.put_in == put_in) return &difference;
  }
  return nullptr;
}

// The rows that compute a quantity from the edges' side, before any is
// solved for an edge.
constexpr std::size_t kForwardRows = 7;

// Every row solves for a quantity it does not need, from at most three.
constexpr bool SolvedIsWellFormed() {
  for (const Solved& row : kSolved) {
    if (row.need_count == 0 || row.need_count > row.needs.size() || row.value == nullptr) return false;
    for (std::size_t i = 0; i < row.need_count; ++i) {
      if (row.needs[i] == row.target) return false;
    }
    if ((row.radicand == nullptr) != row.radicand_text.empty()) return false;
  }
  return true;
}
static_assert(SolvedIsWellFormed());

// Each difference is a step of the table, by its right-hand side or its root.
constexpr bool DifferencesAreSteps() {
  for (const Difference& difference : kDifferences) {
    bool found = false;
    for (const Solved& row : kSolved) found = found || row.put_in == difference.put_in || row.radicand_text == difference.put_in;
    if (!found) return false;
  }
  return true;
}
static_assert(DifferencesAreSteps());

// A step of this problem: a row of the table, or an edge given by another.
struct Step {
  std::size_t target;
  std::vector<std::size_t> needs;
  std::string text;
  std::string put_in;
  std::function<ExactNumber(const Values&)> value;
  std::string radicand_text;
  std::function<ExactNumber(const Values&)> radicand;
};

// A polynomial in one edge, its coefficients from the constant up.
using Poly = std::vector<ExactNumber>;

Poly Add(Poly x, const Poly& y, int sign = 1) {
  if (x.size() < y.size()) x.resize(y.size(), ExactNumber(0));
  for (std::size_t i = 0; i < y.size(); ++i) x[i] = sign > 0 ? x[i] + y[i] : x[i] - y[i];
  return x;
}

Poly Mul(const Poly& x, const Poly& y) {
  Poly product(x.size() + y.size() - 1, ExactNumber(0));
  for (std::size_t i = 0; i < x.size(); ++i) {
    for (std::size_t j = 0; j < y.size(); ++j) product[i + j] = product[i + j] + x[i] * y[j];
  }
  return product;
}

Poly Scaled(Poly x, const ExactNumber& k) {
  for (ExactNumber& coefficient : x) coefficient = coefficient * k;
  return x;
}

bool IsZero(const ExactNumber& x) { return Sign(x) == std::optional<int>(0); }

// The degree, -1 for the zero polynomial; nullopt where a coefficient has no value.
std::optional<int> Degree(const Poly& p) {
  int degree = -1;
  for (std::size_t i = 0; i < p.size(); ++i) {
    if (!p[i].has_value()) return std::nullopt;
    if (!IsZero(p[i])) degree = static_cast<int>(i);
  }
  return degree;
}

ExactNumber Evaluate(const Poly& p, const ExactNumber& x) {
  ExactNumber value(0);
  for (std::size_t i = p.size(); i-- > 0;) value = value * x + p[i];
  return value;
}

// The polynomial divided by the highest power of its unknown that divides
// it: an edge is never 0, so those roots are no edges.
Poly WithoutZeroRoots(Poly p) {
  std::size_t zeros = 0;
  while (zeros + 1 < p.size() && IsZero(p[zeros])) ++zeros;
  p.erase(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(zeros));
  return p;
}

std::vector<double> ApproximateRoots(const Poly& p);

// The derivative.
Poly Derivative(const Poly& p) {
  Poly derivative;
  for (std::size_t i = 1; i < p.size(); ++i) derivative.push_back(p[i] * ExactNumber(static_cast<int>(i)));
  return derivative.empty() ? Poly{ExactNumber(0)} : derivative;
}

// The positive rational roots of a polynomial too large to try every
// divisor of: the fractions of small denominator nearest its roots found
// to the doubles' precision (and its derivative's, where a root is double
// and the polynomial only touches 0), each checked exactly.
std::vector<Rational> RationalRootsNearby(const Poly& p) {
  std::vector<double> near = ApproximateRoots(p);
  for (double x : ApproximateRoots(Derivative(p))) near.push_back(x);
  std::vector<Rational> roots;
  for (double x : near) {
    // The continued fraction's convergents of x.
    BigInteger h0 = 0, h1 = 1, k0 = 1, k1 = 0;
    double rest = x;
    for (int term = 0; term < 40; ++term) {
      const double whole = std::floor(rest);
      if (!(whole < 1e15)) break;
      const BigInteger a(static_cast<std::int64_t>(whole));
      const BigInteger h2 = a * h1 + h0, k2 = a * k1 + k0;
      h0 = h1, h1 = h2, k0 = k1, k1 = k2;
      if (k1 > 1'000'000'000) break;
      const Rational candidate(h1, k1);
      if (std::find(roots.begin(), roots.end(), candidate) == roots.end() &&
          IsZero(Evaluate(p, ExactNumber(candidate)))) {
        roots.push_back(candidate);
        break;
      }
      if (rest - whole == 0) break;
      rest = 1 / (rest - whole);
    }
  }
  std::sort(roots.begin(), roots.end());
  return roots;
}

// The positive rational roots of an integer-coefficient polynomial, tried
// among ± divisor of the constant / divisor of the leading coefficient as a
// pupil tries them; within a bound, so that a huge constant is not factored.
std::vector<Rational> RationalRoots(const Poly& p) {
  std::vector<Rational> roots;
  const std::optional<int> degree = Degree(p);
  if (!degree || *degree < 1) return roots;
  BigInteger common = 1;
  for (const ExactNumber& c : p) {
    if (!c.IsRational()) return roots;
    common = boost::multiprecision::lcm(common, boost::multiprecision::denominator(c.rational_part()));
  }
  const auto whole = [&](std::size_t i) {
    return BigInteger(boost::multiprecision::numerator(p[i].rational_part() * Rational(common)));
  };
  BigInteger constant = abs(whole(0)), leading = abs(whole(static_cast<std::size_t>(*degree)));
  if (constant.is_zero()) return roots;  // t = 0 is no edge; the box has none
  constexpr std::int64_t kLargest = 1'000'000'000'000;
  if (constant > kLargest || leading > kLargest) return RationalRootsNearby(p);
  const auto divisors = [](const BigInteger& n) {
    std::vector<BigInteger> found;
    for (BigInteger d = 1; d * d <= n; ++d) {
      if ((n % d).is_zero()) {
        found.push_back(d);
        if (d * d != n) found.push_back(n / d);
      }
    }
    return found;
  };
  for (const BigInteger& top : divisors(constant)) {
    for (const BigInteger& bottom : divisors(leading)) {
      const Rational candidate(top, bottom);
      if (std::find(roots.begin(), roots.end(), candidate) != roots.end()) continue;
      if (IsZero(Evaluate(p, ExactNumber(candidate)))) roots.push_back(candidate);
    }
  }
  std::sort(roots.begin(), roots.end());
  return roots;
}

// How near a value found to the doubles' precision must come to one given.
constexpr double kApproximateTolerance = 1e-9;

// The double as the fraction it is exactly.
ExactNumber FromDouble(double value) {
  int exponent = 0;
  const double mantissa = std::frexp(value, &exponent);
  constexpr int kBits = 53;
  Rational exact(BigInteger(static_cast<std::int64_t>(std::ldexp(mantissa, kBits))));
  exponent -= kBits;
  const Rational two(2);
  for (; exponent > 0; --exponent) exact *= two;
  for (; exponent < 0; ++exponent) exact /= two;
  return ExactNumber(exact);
}

// The positive real roots of a polynomial, to the doubles' precision: where
// its roots are not rational, the pupil is told the answer is approximate.
std::vector<double> ApproximateRoots(const Poly& p) {
  std::vector<double> c;
  for (const ExactNumber& coefficient : p) c.push_back(coefficient.ToDouble());
  const auto f = [&c](double x) {
    double value = 0;
    for (std::size_t i = c.size(); i-- > 0;) value = value * x + c[i];
    return value;
  };
  double bound = 1;
  for (std::size_t i = 0; i + 1 < c.size(); ++i) bound = std::max(bound, 1 + std::abs(c[i] / c.back()));
  std::vector<double> roots;
  // Sampled on a scale even in ratio, from far below any school value to
  // the bound all roots lie within, so that two roots apart by a tenth of
  // a per cent are told apart wherever they lie.
  constexpr int kSamples = 40000;
  const double smallest = bound * 1e-15;
  double left = 0, f_left = f(0);
  for (int i = 0; i <= kSamples; ++i) {
    const double right = smallest * std::pow(bound / smallest, static_cast<double>(i) / kSamples);
    const double f_right = f(right);
    if (f_left == 0 && left > 0) roots.push_back(left);
    if ((f_left < 0) != (f_right < 0) && f_right != 0) {
      // Halved by the exact sign, so that the root is right to the last
      // bit however the doubles cancel in a long polynomial.
      const auto below = [&p](double x) { return Sign(Evaluate(p, FromDouble(x))).value_or(0) < 0; };
      double low = left, high = right;
      const bool low_below = below(low);
      for (int step = 0; step < 1100 && low < high; ++step) {
        const double middle = low + (high - low) / 2;
        if (middle <= low || middle >= high) break;
        (below(middle) == low_below ? low : high) = middle;
      }
      roots.push_back(low + (high - low) / 2);
    }
    left = right, f_left = f_right;
  }
  return roots;
}

// The roots of a polynomial: rational where it has them, tried as a pupil
// tries divisors; else to the doubles' precision, approximate then set.
std::vector<ExactNumber> Roots(const Poly& p, bool& approximate) {
  std::vector<ExactNumber> roots;
  for (const Rational& root : RationalRoots(p)) roots.emplace_back(root);
  approximate = roots.empty();
  if (approximate) {
    for (double root : ApproximateRoots(p)) roots.push_back(FromDouble(root));
  }
  return roots;
}

// How the roots were found, as the solution says it.
std::string_view RootsFound(bool approximate) {
  return approximate ? "Уравнението няма рационален корен; решаваме го приближено:"
                     : "Проверяваме делителите на свободния член:";
}

std::size_t QuantityOfLetter(char letter) {
  for (const BoxQuantityInfo& info : kBoxQuantities) {
    if (info.letter == letter) return Index(info.quantity);
  }
  return kBoxQuantityCount;
}

constexpr std::array<std::size_t, 3> kEdges = {kA, kB, kC};

}  // namespace

namespace {

class Engine {
 public:
  Engine(const Problem& problem, const NumberFormat& format, std::optional<LengthUnit> unit, SolutionStyle style)
      : problem_(problem),
        format_(SolutionFormat(format)),
        unit_(UnitInfo(unit.value_or(ChooseUnit(problem)))),
        style_(style) {}

  ProblemSolution Run() {
    WriteGiven();
    for (std::size_t q = 0; q < kBoxQuantityCount; ++q) {
      if (given_[q] && !WithinDoubleRange(values_[q])) {
        lines_.push_back(OutOfRangeLine(q));
        return Finish(ProblemOutcome::kNoBox);
      }
    }
    BuildSteps();
    lines_.emplace_back(Heading(SolutionPart::kSteps));
    const std::size_t steps_start = lines_.size();
    // Where the steps stop, the ways a pupil goes on, the textbook's first:
    // the faces, the base's sum and product, an equation in one edge, the
    // cubic of a + b + c, the pairwise products and the product; then the
    // resultants. Each false where it does not apply, nullopt for no box.
    using Way = std::optional<bool> (Engine::*)();
    static constexpr std::array<Way, 6> kWays = {
        &Engine::SolveByFaces,          &Engine::SolveBaseBySumAndProduct, &Engine::SolveByOneEdge,
        &Engine::SolveBySymmetricCubic, &Engine::SolveByTwoEdges,          &Engine::SolveBySumAndProduct};
    for (bool found = true; found;) {
      if (!Propagate()) return Finish(ProblemOutcome::kNoBox);
      // What is sought may be known before the edges are: they are still
      // found where they can be, so that no value is told of a box that
      // does not exist ("c = 1; S = 4; V = 5" gives B and S₁, and no box).
      if (SoughtKnown() && !sought_approximate_) sought_approximate_ = approximate_;
      if (known_[kA] && known_[kB] && known_[kC]) break;
      found = false;
      for (const Way way : kWays) {
        const std::optional<bool> solved = (this->*way)();
        if (!solved || (*solved && !FoundWithinRange())) return Finish(ProblemOutcome::kNoBox);
        if (*solved) {
          found = true;
          break;
        }
      }
    }
    if (!SoughtKnown()) {
      lines_.resize(steps_start - 1);
      return Finish(ProblemOutcome::kMissing);
    }
    if (!Check()) return Finish(ProblemOutcome::kContradiction);
    WriteAnswer();
    return Finish(ProblemOutcome::kSolved);
  }

 private:
  static LengthUnit ChooseUnit(const Problem& problem) {
    for (const GivenValue& given : problem.given) {
      if (Info(given.quantity).measure != Measure::kLength) continue;
      for (const Amount& part : given.parts) {
        if (part.unit) return part.unit->length;
      }
    }
    for (const GivenValue& given : problem.given) {
      for (const Amount& part : given.parts) {
        if (part.unit) return part.unit->length;
      }
    }
    for (const EdgeLink& link : problem.links) {
      if (link.offset && link.offset->unit) return link.offset->unit->length;
    }
    return LengthUnit::kNone;
  }

  // The user's decimal separator; the digits grouped by three with a
  // no-break space from five digits on ("60 000", "1500"), as Bulgarian
  // writes them, whatever the locale groups the fields by.
  static NumberFormat SolutionFormat(const NumberFormat& format) {
    return {format.decimal_separator, "\u00A0", {3}, 5};
  }

  static int Power(Measure measure) {
    return measure == Measure::kLength ? 1 : measure == Measure::kArea ? 2 : 3;
  }

  // An amount in the problem's unit, exactly.
  ExactNumber Converted(const Amount& amount, Measure measure) const {
    if (!amount.unit || unit_.unit == LengthUnit::kNone) return amount.number;
    const auto from = static_cast<int>(UnitInfo(amount.unit->length).millimetres);
    const auto to = static_cast<int>(unit_.millimetres);
    ExactNumber factor = ExactNumber(from) / ExactNumber(to);
    ExactNumber scale(1);
    for (int i = 0; i < Power(measure); ++i) scale = scale * factor;
    return amount.number * scale;
  }

  std::string Unit(Measure measure) const {
    if (unit_.unit == LengthUnit::kNone) return "";
    std::string unit(" ");
    unit += unit_.name;
    if (measure == Measure::kArea) unit += "²";
    if (measure == Measure::kVolume) unit += "³";
    return unit;
  }

  struct Text {
    std::string text;
    bool approximate = false;
    std::string number;  // the value alone, without its unit or decimals: "25/6"
  };


  static DerivedValue Derived(const ExactNumber& value) { return {value.ToDouble(), value}; }

  // A value with its unit: exactly, and where that is a fraction or a root,
  // also to seven decimals.
  // A value with its unit: exactly, an improper fraction also as a mixed
  // number ("25/6 = 4 1/6"), and where it is a fraction or a root, also
  // rounded as the pupil rounds ("≈ 4,17").
  Text Written(const ExactNumber& value, Measure measure, int decimals = kDecimals) const {
    WrittenValue written = prism::Written(Derived(value), decimals, format_);
    if (written.approximate) written = RoundedText(Derived(value), style_.decimals, format_);
    std::string text = Minus(written.text);
    if (written.fraction_or_root) text = RootOverWhole(text) + Mixed(value);
    text += Unit(measure);
    if (written.fraction_or_root) {
      text += " ≈ " + Minus(RoundedText(Derived(value), style_.decimals, format_).text) + Unit(measure);
    }
    return {text, written.approximate, Minus(written.text)};
  }

  // "(5√61)/6", never "5√61/6", which reads as 5·√(61/6).
  static std::string RootOverWhole(const std::string& text) {
    const std::size_t root = text.find("√"), over = text.rfind('/');
    if (root == std::string::npos || over == std::string::npos || over < root || text.starts_with('(')) return text;
    return "(" + text.substr(0, over) + ")" + text.substr(over);
  }

  // " = 4 1/6" for 25/6; nothing for a proper fraction, a root or a value
  // below 0.
  std::string Mixed(const ExactNumber& value) const {
    if (!value.IsRational() || Sign(value).value_or(0) <= 0) return "";
    const Rational& fraction = value.rational_part();
    const auto numerator = boost::multiprecision::numerator(fraction);
    const auto denominator = boost::multiprecision::denominator(fraction);
    if (denominator == 1 || numerator < denominator) return "";
    const auto whole = numerator / denominator;
    const auto rest = numerator % denominator;
    return " = " + FormatDecimalText(whole.str(), false, format_) + " " + rest.str() + "/" + denominator.str();
  }


  // A value a step names that is no quantity of the box: "b·c", "a + b".
  struct Named {
    char letter;
    ExactNumber value;
  };

  std::pair<std::string, bool> PutValuesIn(std::string_view expression,
                                           std::initializer_list<Named> named = {}) const {
    auto [text, approximate] = Substituted(
        expression,
        [this, named](char letter) -> std::optional<PutIn> {
          for (const Named& n : named) {
            if (n.letter == letter) return PutIn{Derived(n.value), kDecimals, style_.decimals};
          }
          const std::size_t q = QuantityOfLetter(letter);
          if (q == kBoxQuantityCount || !known_[q]) return std::nullopt;
          return PutIn{Derived(values_[q]), given_[q] ? kGivenDecimals : kDecimals, style_.decimals};
        },
        format_);
    return {Minus(std::move(text)), approximate};
  }

  // "left = the values put in = the value": the values put in left out
  // where they are the value already ("c = V : B = 1/6 см", not "= 1/6 = 1/6 см").
  std::string Equation(std::string left, std::string_view letters, const ExactNumber& value, Measure measure,
                       std::initializer_list<Named> named = {}) const {
    const auto [put_in, approximate] = PutValuesIn(letters, named);
    const Text result = Written(value, measure);
    left += " = ";
    if (put_in != result.number) left += put_in + (approximate || result.approximate ? " ≈ " : " = ");
    return left + result.text;
  }

  void Set(std::size_t q, ExactNumber value) {
    values_[q] = std::move(value);
    known_[q] = true;
  }

  void WriteGiven() {
    lines_.emplace_back(Heading(SolutionPart::kGiven));
    for (const GivenValue& given : problem_.given) {
      const std::size_t q = Index(given.quantity);
      const Measure measure = Info(given.quantity).measure;
      ExactNumber value(0);
      std::string typed;
      bool converted = given.parts.size() > 1;
      for (const Amount& part : given.parts) {
        value = value + Converted(part, measure);
        if (!typed.empty()) typed += " ";
        typed += part.typed;
        if (part.unit) {
          typed += " ";
          typed += part.unit->written;
          converted = converted || part.unit->length != unit_.unit || part.unit->written.starts_with("л") ||
                      part.unit->written.starts_with("мл") || part.unit->written.starts_with("l") ||
                      part.unit->written.starts_with("ml");
        } else {
          typed += Unit(measure);
        }
      }
      std::string line = std::string(Info(given.quantity).name) + " = " + typed;
      if (converted && unit_.unit != LengthUnit::kNone) {
        const Text text = Written(value, measure, kGivenDecimals);
        line += (text.approximate ? " ≈ " : " = ") + text.text;
      }
      lines_.push_back(line);
      Set(q, value);
      given_[q] = true;
    }
    for (const EdgeLink& link : problem_.links) lines_.push_back(link.item);
    if (problem_.shape == Shape::kCube) lines_.emplace_back("куб: a = b = c");
    if (problem_.shape == Shape::kSquareBase) lines_.emplace_back("квадратна основа: a = b");
    std::vector<std::string_view> sought;
    for (std::size_t q : Sought()) sought.push_back(kBoxQuantities[q].name);
    lines_.push_back(std::string(SoughtHeading(sought.size())) + " " + JoinedWithAnd(sought));
  }

  std::vector<std::size_t> Sought() const {
    std::vector<std::size_t> sought;
    for (BoxQuantity q : problem_.sought) sought.push_back(Index(q));
    if (sought.empty()) {
      for (std::size_t q : {kA, kB, kC, kS, kS1, kV}) {
        if (!given_[q]) sought.push_back(q);
      }
    }
    return sought;
  }

  bool SoughtKnown() const {
    for (std::size_t q : Sought()) {
      if (!known_[q]) return false;
    }
    return true;
  }

  // An edge given by another: forward and back, in the problem's unit.
  void AddLink(std::size_t edge, std::size_t from, const Rational& factor, const ExactNumber& offset) {
    const std::string e(Info(static_cast<BoxQuantity>(edge)).name), f(Info(static_cast<BoxQuantity>(from)).name);
    const std::string n = boost::multiprecision::numerator(factor).str();
    const std::string d = boost::multiprecision::denominator(factor).str();
    const int offset_sign = Sign(offset).value_or(0);
    const std::string offset_text =
        offset_sign == 0 ? "" : Minus(prism::Written(Derived(offset_sign > 0 ? offset : ExactNumber(0) - offset),
                                                     kGivenDecimals, format_).text);
    // edge = n·from/d ± t
    std::string forward = f;
    if (n != "1") forward = n + "·" + forward;
    if (d != "1") forward += "/" + d;
    if (offset_sign != 0) forward += (offset_sign > 0 ? " + " : " − ") + offset_text;
    // from = d·(edge ∓ t)/n
    std::string back = e;
    if (offset_sign != 0) back += (offset_sign > 0 ? " − " : " + ") + offset_text;
    if (offset_sign != 0 && (n != "1" || d != "1")) back = "(" + back + ")";
    if (d != "1") back = d + "·" + back;
    if (n != "1") back += "/" + n;
    const ExactNumber k(factor);
    steps_.push_back({edge, {from}, e + " = " + forward, forward,
                      [=](const Values& v) { return k * v[from] + offset; }, "", nullptr});
    steps_.push_back({from, {edge}, f + " = " + back, back,
                      [=](const Values& v) { return (v[edge] - offset) / k; }, "", nullptr});
    links_.push_back({edge, from, factor, offset});
  }

  void BuildSteps() {
    for (std::size_t r = 0; r < kSolved.size(); ++r) {
      // An edge given by another is taken before an edge is solved for.
      if (r == kForwardRows) AddLinks();
      const Solved& row = kSolved[r];
      Step step{row.target, {row.needs.begin(), row.needs.begin() + static_cast<std::ptrdiff_t>(row.need_count)},
                std::string(row.text), std::string(row.put_in), row.value, std::string(row.radicand_text),
                nullptr};
      if (row.radicand != nullptr) step.radicand = row.radicand;
      steps_.push_back(std::move(step));
    }
  }

  void AddLinks() {
    for (const EdgeLink& link : problem_.links) {
      ExactNumber offset(0);
      if (link.offset) {
        offset = Converted(*link.offset, Measure::kLength);
        if (link.offset_negative) offset = ExactNumber(0) - offset;
      }
      AddLink(Index(link.edge), Index(link.from), link.factor, offset);
    }
    if (problem_.shape == Shape::kCube || problem_.shape == Shape::kSquareBase) {
      AddLink(kB, kA, Rational(1), ExactNumber(0));
    }
    if (problem_.shape == Shape::kCube) AddLink(kC, kA, Rational(1), ExactNumber(0));
  }

  std::string NoBox() const { return ": няма такъв паралелепипед."; }

  // The box may be right, but a value of it is beyond what the window
  // draws and the fields hold: said so, never shown as a wrong number.
  std::string OutOfRangeLine(std::size_t q) {
    out_of_range_ = true;
    return "Стойността на " + std::string(kBoxQuantities[q].name) +
           " е извън обхвата на числата, с които смята програмата.";
  }

  // After a step that found edges: false, with the line that says so, where
  // one of them leaves the doubles' range.
  bool FoundWithinRange() {
    for (std::size_t q : kEdges) {
      if (known_[q] && !WithinDoubleRange(values_[q])) {
        Record({q}, {q}, {OutOfRangeLine(q)});
        return false;
      }
    }
    return true;
  }

  // Takes every step whose needs are known, one at a time, the table's
  // first first; nullopt where one shows there is no box.
  std::optional<bool> Propagate() {
    bool any = false;
    for (bool taken = true; taken;) {
      taken = false;
      for (const Step& step : steps_) {
        if (known_[step.target]) continue;
        if (!std::all_of(step.needs.begin(), step.needs.end(), [this](std::size_t q) { return known_[q]; })) continue;
        const Measure measure = kBoxQuantities[step.target].measure;
        if (step.radicand) {
          const ExactNumber radicand = step.radicand(values_);
          if (Sign(radicand).value_or(1) <= 0) {
            const auto [put_in, approximate] = PutValuesIn(step.radicand_text);
            const std::string said = step.radicand_text + " = " + put_in;
            if (const std::optional<std::string> why = Impossible(step.radicand_text, Measure::kArea)) {
              Record({step.target}, step.needs, {said, *why});
            } else {
              Record({step.target}, step.needs,
                     {said + (approximate ? " ≈ " : " = ") + Written(radicand, Measure::kArea).text + " ≤ 0" + NoBox()});
            }
            return std::nullopt;
          }
        }
        ExactNumber value = step.value(values_);
        if (!value.has_value()) continue;
        if (!WithinDoubleRange(value)) {
          Record({step.target}, step.needs, {OutOfRangeLine(step.target)});
          return std::nullopt;
        }
        // From a root found to the doubles' precision, a root of it is no
        // more exact: kept as its double.
        if (approximate_ && !value.IsRational()) value = FromDouble(value.ToDouble());
        // "b = a = 3 см", not "b = a = 3 = 3 см".
        std::string line = Equation(step.text, step.put_in, value, measure);
        if (const int sign = Sign(value).value_or(1); sign <= 0) {
          if (const std::optional<std::string> why = Impossible(step.put_in, measure)) {
            // "b = P : 2 − a = 4 : 2 − 10", and why that is no edge.
            Record({step.target}, step.needs, {step.text + " = " + PutValuesIn(step.put_in).first, *why});
          } else {
            // "b = … = −8 см < 0", "c = … = 0 см": no edge either way.
            Record({step.target}, step.needs, {line + (sign < 0 ? " < 0" : "") + NoBox()});
          }
          return std::nullopt;
        }
        Record({step.target}, step.needs, {std::move(line)});
        Set(step.target, value);
        taken = any = true;
        break;
      }
    }
    return any;
  }

  void Record(std::vector<std::size_t> targets, std::vector<std::size_t> needs, std::vector<std::string> lines) {
    for (std::size_t q : needs) used_[q] = true;
    records_.push_back({std::move(targets), std::move(needs), std::move(lines)});
  }

  static std::string Superscript(std::size_t power) {
    static constexpr std::array<std::string_view, 10> kDigits = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text;
    for (const char digit : std::to_string(power)) text += kDigits[static_cast<std::size_t>(digit - '0')];
    return text;
  }

  // A polynomial written as a textbook writes it: "2·a³ − a² − 60".
  std::string PolyText(const Poly& p, std::string_view x) const {
    std::string text;
    for (std::size_t i = p.size(); i-- > 0;) {
      const std::optional<int> sign = Sign(p[i]);
      if (!sign || *sign == 0) continue;
      const ExactNumber magnitude = *sign < 0 ? ExactNumber(0) - p[i] : p[i];
      const WrittenValue written = prism::Written(Derived(magnitude), kDecimals, format_);
      std::string term;
      const bool one = IsZero(magnitude - ExactNumber(1));
      if (i == 0 || !one) {
        const bool bracketed = written.fraction_or_root || written.power_of_ten;
        term = bracketed ? "(" + written.text + ")" : written.text;
        // "7x" as the book writes it; "(25/6)·x" where the number is bracketed.
        if (i > 0 && bracketed) term += "·";
      }
      if (i > 0) term += std::string(x) + (i > 1 ? Superscript(i) : "");
      if (text.empty()) {
        text = (*sign < 0 ? "−" : "") + term;
      } else {
        text += (*sign < 0 ? " − " : " + ") + term;
      }
    }
    // "10 − a", not "−a + 10".
    if (p.size() == 2 && text.starts_with("−") && text.find(" + ") != std::string::npos &&
        text.find(" + ") == text.rfind(" + ") && text.find(" − ") == std::string::npos) {
      const std::size_t plus = text.find(" + ");
      text = text.substr(plus + 3) + " − " + text.substr(std::string_view("−").size(), plus - std::string_view("−").size());
    }
    return text.empty() ? "0" : text;
  }

  // The quantity from the edges, as a polynomial in the one unknown edge.
  static Poly Of(std::size_t q, const std::array<Poly, 3>& e) {
    const Poly sum = Add(Add(e[0], e[1]), e[2]);
    switch (q) {
      case kP: return Scaled(Add(e[0], e[1]), ExactNumber(2));
      case kL: return Scaled(sum, ExactNumber(4));
      case kBase: return Mul(e[0], e[1]);
      case kS: return Scaled(Mul(e[2], Add(e[0], e[1])), ExactNumber(2));
      case kS1: return Scaled(Add(Add(Mul(e[0], e[1]), Mul(e[1], e[2])), Mul(e[2], e[0])), ExactNumber(2));
      case kD: return Add(Add(Mul(e[0], e[0]), Mul(e[1], e[1])), Mul(e[2], e[2]));
      case kV: return Mul(Mul(e[0], e[1]), e[2]);
      default: return {};
    }
  }

  static std::string_view EdgeFormula(std::size_t q) {
    switch (q) {
      case kP: return "P = 2·(a + b)";
      case kL: return "L = 4·(a + b + c)";
      case kBase: return "B = a·b";
      case kS: return "S = 2·(a + b)·c";
      case kS1: return "S₁ = 2·(a·b + b·c + c·a)";
      case kD: return "d² = a² + b² + c²";
      case kV: return "V = a·b·c";
      default: return "";
    }
  }

  // Whether an edge is given by the other of the two: then an equation in
  // one edge says more than their sum and product.
  bool Linked(std::size_t x, std::size_t y) const {
    return std::any_of(links_.begin(), links_.end(), [x, y](const LinkValue& link) {
      return (link.edge == x && link.from == y) || (link.edge == y && link.from == x);
    });
  }

  // Below grade 7, why a difference is no edge or area, without a negative
  // number: "a + b = P/2 = 2 см, а само a = 10 см > 2 см. Това е
  // невъзможно, затова такъв паралелепипед няма." nullopt from grade 7 on,
  // or for a step that subtracts nothing.
  std::optional<std::string> Impossible(std::string_view put_in, Measure measure) const {
    const Difference* difference = FindDifference(put_in);
    if (style_.grade >= 7 || difference == nullptr) return std::nullopt;
    return ImpossibleSentence(difference->minuend_text, difference->minuend(values_), difference->subtrahend_text,
                              difference->subtrahend(values_), measure);
  }

  std::string ImpossibleSentence(std::string_view minuend_text, const ExactNumber& minuend,
                                 std::string_view subtrahend_text, const ExactNumber& subtrahend,
                                 Measure measure) const {
    const std::string m = Written(minuend, measure).text;
    const std::string subtrahend_line = std::string(subtrahend_text) + " = " + Written(subtrahend, measure).text;
    const std::string compared = IsZero(subtrahend - minuend) ? " = " + std::string(minuend_text.substr(0, minuend_text.find(" = ")))
                                                               : " > " + m;
    return std::string(minuend_text) + " = " + m + ", а само " + subtrahend_line + compared +
           ". Това е невъзможно, затова такъв паралелепипед няма.";
  }

  // "S = 2 см² е по-малко от 2·b·c = 20 см², затова 2·a·c = −18 см² < 0": where a
  // difference of known values leaves no edge, the two values compared.
  std::string ComparedLine(std::string_view left_text, const ExactNumber& left, std::string_view right_text,
                           const ExactNumber& right, Measure measure, std::string_view name,
                           const ExactNumber& value) const {
    const std::string left_line = std::string(left_text) + " = " + Written(left, measure).text;
    const std::string right_line = std::string(right_text) + " = " + Written(right, measure).text;
    if (IsZero(value)) {
      return left_line + " е равно на " + right_line + ", затова " + std::string(name) + " = 0" + NoBox();
    }
    return left_line + " е по-малко от " + right_line + ", затова " + std::string(name) + " = " +
           Written(value, measure).text + " < 0" + NoBox();
  }

  // One of a and b known, with S and V: the face b·c (or a·c) from the
  // volume, then the height from the lateral surface, as a pupil who has
  // not met equations does. false where that is not the case; nullopt where
  // it shows no box.
  std::optional<bool> SolveByFaces() {
    if (known_[kC] || !known_[kS] || !known_[kV] || known_[kA] == known_[kB] || !links_.empty()) return false;
    const std::size_t edge = known_[kA] ? kA : kB;
    const bool by_a = edge == kA;
    const ExactNumber face = values_[kV] / values_[edge];
    const ExactNumber rest = values_[kS] - 2 * face;
    const ExactNumber height = rest / (2 * values_[edge]);
    if (!face.has_value() || !height.has_value() || !Sign(rest)) return false;
    std::vector<std::string> lines;
    // Each line solves for what stands alone on its left: the face from V,
    // the other face from S, then c from that face.
    const std::string face_text = by_a ? "b·c" : "a·c";
    const std::string other_text = by_a ? "2·a·c" : "2·b·c";
    const auto line = [&](std::string text, std::string_view letters, const ExactNumber& value, Measure measure) {
      return Equation(std::move(text), letters, value, measure, {{'r', face}, {'R', rest}});
    };
    lines.push_back(line("V = a·b·c → " + face_text + " = " + (by_a ? "V : a" : "V : b"), by_a ? "V : a" : "V : b", face,
                         Measure::kArea));
    lines.push_back(line("S = 2·a·c + 2·b·c → " + other_text + " = S − 2·" + face_text, "S − 2·r", rest,
                         Measure::kArea));
    if (*Sign(rest) <= 0) {
      if (style_.grade < 7) {
        lines.back() = "S = 2·a·c + 2·b·c → " + other_text + " = S − 2·" + face_text + " = " +
                       PutValuesIn("S − 2·r", {{'r', face}}).first;
        lines.push_back(ImpossibleSentence("S", values_[kS], "2·" + face_text, 2 * face, Measure::kArea));
      } else {
        lines.push_back(ComparedLine("S", values_[kS], "2·" + face_text, 2 * face, Measure::kArea, other_text, rest));
      }
      Record({kC}, {edge, kS, kV}, std::move(lines));
      return std::nullopt;
    }
    lines.push_back(line("c", by_a ? "R : (2·a)" : "R : (2·b)", height, Measure::kLength));
    Record({kC}, {edge, kS, kV}, std::move(lines));
    Set(kC, height);
    return true;
  }

  // a and b unknown, their sum (from P) and product (B) known: the roots of
  // x² − (a + b)·x + a·b = 0, the smaller a. false where that is not the
  // case; nullopt where it shows no box.
  std::optional<bool> SolveBaseBySumAndProduct() {
    if (known_[kA] || known_[kB] || !known_[kP] || !known_[kBase] || Linked(kA, kB)) return false;
    const ExactNumber sum = values_[kP] / 2, product = values_[kBase];
    const ExactNumber discriminant = Square(sum) - 4 * product;
    const std::optional<int> sign = Sign(discriminant);
    if (!sign) return false;
    std::vector<std::string> lines;
    lines.push_back(Equation("a + b = P : 2", "P : 2", sum, Measure::kLength));
    lines.push_back("a·b = B = " + Written(product, Measure::kArea).text);
    ExactNumber root = Sqrt(discriminant);
    ExactNumber a = (sum - root) / 2, b = (sum + root) / 2;
    if (approximate_ && !a.IsRational()) a = FromDouble(a.ToDouble()), b = FromDouble(b.ToDouble());
    const std::initializer_list<Named> named = {{'p', sum}, {'q', product}, {'D', discriminant}, {'r', root}};
    if (style_.grade < 7) {
      // As a sum and a difference: (b − a)² = (a + b)² − 4·a·b.
      const std::string square = "(b − a)² = (a + b)² − 4·a·b = " + PutValuesIn("p² − 4·q", named).first;
      if (*sign < 0) {
        lines.push_back(square + " = " + Written(Square(sum), Measure::kArea).number + " − " +
                        Written(4 * product, Measure::kArea).number +
                        " < 0, а квадратът на число не е отрицателен, затова такъв паралелепипед няма.");
        Record({kA, kB}, {kP, kBase}, std::move(lines));
        return std::nullopt;
      }
      if (!a.has_value() || !b.has_value()) return false;
      lines.push_back(square + " = " + Written(discriminant, Measure::kArea).text);
      lines.push_back(Equation("b − a", "√D", root, Measure::kLength, named));
      lines.push_back(Equation("a = ((a + b) − (b − a)) : 2", "(p − r) : 2", a, Measure::kLength, named));
      lines.push_back(Equation("b = ((a + b) + (b − a)) : 2", "(p + r) : 2", b, Measure::kLength, named));
    } else {
      lines.emplace_back("a и b са корените на уравнението x² − (a + b)·x + a·b = 0:");
      lines.push_back(PolyText({product, ExactNumber(0) - sum, ExactNumber(1)}, "x") + " = 0");
      // D is no area: written without a unit.
      const std::string d = Minus(prism::Written(Derived(discriminant), kDecimals, format_).text);
      lines.push_back("D = (a + b)² − 4·a·b = " + PutValuesIn("p² − 4·q", named).first + " = " + d);
      if (*sign < 0) {
        lines.push_back("D = " + d + " < 0: уравнението няма реални корени, затова няма такъв паралелепипед.");
        Record({kA, kB}, {kP, kBase}, std::move(lines));
        return std::nullopt;
      }
      if (!a.has_value() || !b.has_value()) return false;
      lines.push_back(Equation("a = x₁ = (a + b − √D)/2", "(p − √D)/2", a, Measure::kLength, named));
      lines.push_back(Equation("b = x₂ = (a + b + √D)/2", "(p + √D)/2", b, Measure::kLength, named));
    }
    if (Sign(a).value_or(0) <= 0) {
      lines.back() += NoBox();
      Record({kA, kB}, {kP, kBase}, std::move(lines));
      return std::nullopt;
    }
    Record({kA, kB}, {kP, kBase}, std::move(lines));
    Set(kA, a);
    Set(kB, b);
    return true;
  }

  // Where links, P or L express every edge by one unknown edge, a known
  // quantity gives an equation in it: solved, the edge is known and the
  // steps go on. false where none does; nullopt where it shows no box.
  std::optional<bool> SolveByOneEdge() {
    for (std::size_t t : kEdges) {
      if (known_[t]) continue;
      std::array<std::optional<Poly>, 3> form;
      std::vector<std::size_t> needs;
      for (std::size_t e : kEdges) {
        if (known_[e]) form[e] = Poly{values_[e]}, needs.push_back(e);
      }
      form[t] = Poly{ExactNumber(0), ExactNumber(1)};
      for (bool grew = true; grew;) {
        grew = false;
        for (const LinkValue& link : links_) {
          const ExactNumber k(link.factor);
          if (form[link.from] && !form[link.edge]) {
            form[link.edge] = Add(Scaled(*form[link.from], k), Poly{link.offset});
            grew = true;
          } else if (form[link.edge] && !form[link.from]) {
            form[link.from] = Scaled(Add(*form[link.edge], Poly{link.offset}, -1), ExactNumber(1) / k);
            grew = true;
          }
        }
        const auto missing = [&](std::initializer_list<std::size_t> edges) {
          std::size_t count = 0, which = 0;
          for (std::size_t e : edges) {
            if (!form[e]) ++count, which = e;
          }
          return count == 1 ? std::optional<std::size_t>(which) : std::nullopt;
        };
        if (known_[kP]) {
          if (const auto e = missing({kA, kB})) {
            form[*e] = Add(Poly{values_[kP] / 2}, *form[*e == kA ? kB : kA], -1);
            needs.push_back(kP);
            grew = true;
          }
        }
        if (known_[kL]) {
          if (const auto e = missing({kA, kB, kC})) {
            Poly rest{values_[kL] / 4};
            for (std::size_t other : kEdges) {
              if (other != *e) rest = Add(rest, *form[other], -1);
            }
            form[*e] = rest;
            needs.push_back(kL);
            grew = true;
          }
        }
      }
      if (!form[0] || !form[1] || !form[2]) continue;
      const std::array<Poly, 3> edges = {*form[0], *form[1], *form[2]};
      // The equation of lowest degree, a given value's first.
      std::optional<std::size_t> best;
      Poly best_equation;
      int best_degree = 4;
      for (std::size_t q : {kP, kL, kBase, kS, kS1, kD, kV}) {
        if (!known_[q]) continue;
        const ExactNumber value = q == kD ? Square(values_[q]) : values_[q];
        const Poly equation = Add(Of(q, edges), Poly{value}, -1);
        const std::optional<int> degree = Degree(equation);
        if (!degree || *degree < 1) continue;
        if (*degree < best_degree || (*degree == best_degree && given_[q] && !given_[*best])) {
          best = q, best_equation = equation, best_degree = *degree;
        }
      }
      if (!best) continue;
      const std::string x(Info(static_cast<BoxQuantity>(t)).name);
      std::vector<std::string> lines;
      for (std::size_t e : kEdges) {
        const bool same = edges[e].size() == 2 && IsZero(edges[e][0]) && IsZero(edges[e][1] - ExactNumber(1));
        // "b = 20,2 − a", or "c = 8,5 см" where it is known already.
        const bool constant = Degree(edges[e]).value_or(1) < 1;
        const std::string line = std::string(Info(static_cast<BoxQuantity>(e)).name) + " = " +
                                 (constant ? Written(edges[e].empty() ? ExactNumber(0) : edges[e][0], Measure::kLength).text
                                           : PolyText(edges[e], x));
        // Not "b = 2a" again, as it stands under "Дадено:".
        const bool given = std::any_of(problem_.links.begin(), problem_.links.end(),
                                       [&line](const EdgeLink& link) { return link.item == line; });
        if (e != t && !known_[e] && !same && !given) lines.push_back(line);
      }
      const ExactNumber value = *best == kD ? Square(values_[*best]) : values_[*best];
      lines.push_back(std::string(EdgeFormula(*best)) + ": " + PolyText(Of(*best, edges), x) + " = " +
                      Written(value, kBoxQuantities[*best].measure).text);
      Poly equation = best_equation;
      // Leading coefficient 1 where it is not, as the book divides through.
      equation = Scaled(equation, ExactNumber(1) / equation[static_cast<std::size_t>(best_degree)]);
      equation.resize(static_cast<std::size_t>(best_degree) + 1);
      if (best_degree > 1) lines.push_back(PolyText(equation, x) + " = 0");
      std::vector<ExactNumber> roots;
      if (best_degree == 1) {
        roots.push_back(ExactNumber(0) - equation[0]);
      } else if (best_degree == 2 && IsZero(equation[1])) {
        // x² = q: the positive root, as a pupil takes it.
        const ExactNumber square = ExactNumber(0) - equation[0];
        lines.back() = x + "² = " + Minus(prism::Written(Derived(square), kDecimals, format_).text);
        if (Sign(square).value_or(0) <= 0) {
          lines.back() += " ≤ 0" + NoBox();
          Record({t}, needs, std::move(lines));
          return std::nullopt;
        }
        lines.push_back(x + " = √" + Minus(prism::Written(Derived(square), kDecimals, format_).text));
        roots.push_back(Sqrt(square));
      } else if (best_degree == 2) {
        const ExactNumber discriminant = Square(equation[1]) - 4 * equation[0];
        const std::optional<int> sign = Sign(discriminant);
        if (!sign) continue;
        const std::string d = "D = " + Minus(prism::Written(Derived(discriminant), kDecimals, format_).text);
        if (*sign < 0) {
          lines.push_back(d + " < 0: уравнението няма реални корени, затова няма такъв паралелепипед.");
          Record({t}, needs, std::move(lines));
          return std::nullopt;
        }
        lines.push_back(d);
        const ExactNumber root = Sqrt(discriminant);
        roots.push_back((ExactNumber(0) - equation[1] - root) / 2);
        roots.push_back((ExactNumber(0) - equation[1] + root) / 2);
      } else if (IsZero(equation[1]) && IsZero(equation[2])) {
        // x³ = q: the cube root, as a pupil takes it.
        const ExactNumber cube = ExactNumber(0) - equation[0];
        ExactNumber root = CubeRoot(cube);
        const std::string q = Minus(prism::Written(Derived(cube), kDecimals, format_).text);
        lines.back() = x + "³ = " + q;
        lines.push_back(x + " = ∛" + q);
        if (!root.has_value()) {
          // No fraction's cube: the root to the doubles' precision, said so.
          const double approximate = std::cbrt(cube.ToDouble());
          if (!(approximate > 0) || !std::isfinite(approximate)) continue;
          root = FromDouble(approximate);
          approximate_ = true;
        }
        roots.push_back(root);
      } else {
        bool approximate = false;
        roots = Roots(equation, approximate);
        lines.emplace_back(RootsFound(approximate));
        approximate_ = approximate_ || (approximate && !roots.empty());
      }
      // A root is an edge where every edge it gives is above 0; the one
      // whose box meets every value known, where one does.
      std::optional<ExactNumber> edge;
      for (const ExactNumber& root : roots) {
        if (!root.has_value()) continue;
        std::array<ExactNumber, 3> at;
        bool positive = true;
        for (std::size_t e : kEdges) {
          at[e] = Evaluate(edges[e], root);
          positive = positive && Sign(at[e]).value_or(0) > 0;
        }
        if (!positive) continue;
        if (!edge) edge = root;
        if (MeetsEveryEquation(at, approximate_)) {
          edge = root;
          break;
        }
      }
      if (!edge) {
        lines.push_back("Уравнението няма корен, за който всички ръбове са положителни" + NoBox());
        Record({t}, needs, std::move(lines));
        return std::nullopt;
      }
      const Text written = Written(*edge, Measure::kLength);
      const std::string result = (written.approximate || approximate_ ? " ≈ " : " = ") + written.text;
      // "a = ∛64 = 4", the root and its value on one line.
      if (lines.back().starts_with(x + " = √") || lines.back().starts_with(x + " = ∛")) {
        lines.back() += result;
      } else {
        lines.push_back(x + result);
      }
      // "V = a·b·c: a³ = 64" says already what "a³ = 64" would.
      for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string said = ": " + lines[i];
        const std::size_t at = lines[i - 1].rfind(said);
        const std::size_t after = at + said.size();
        if (at != std::string::npos && (after == lines[i - 1].size() || lines[i - 1][after] == ' ')) {
          lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        }
      }
      needs.push_back(*best);
      Record({t}, needs, std::move(lines));
      Set(t, *edge);
      return true;
    }
    return false;
  }

  // A polynomial in two unknown edges u and w: its coefficients by the
  // power of w, each a polynomial in u.
  using Poly2 = std::vector<Poly>;

  static Poly2 Add2(Poly2 x, const Poly2& y, int sign = 1) {
    if (x.size() < y.size()) x.resize(y.size(), Poly{ExactNumber(0)});
    for (std::size_t i = 0; i < y.size(); ++i) x[i] = Add(x[i], y[i], sign);
    return x;
  }

  static Poly2 Mul2(const Poly2& x, const Poly2& y) {
    Poly2 product(x.size() + y.size() - 1, Poly{ExactNumber(0)});
    for (std::size_t i = 0; i < x.size(); ++i) {
      for (std::size_t j = 0; j < y.size(); ++j) product[i + j] = Add(product[i + j], Mul(x[i], y[j]));
    }
    return product;
  }

  static Poly2 Scaled2(Poly2 x, const ExactNumber& k) {
    for (Poly& p : x) p = Scaled(p, k);
    return x;
  }

  static Poly2 Of2(std::size_t q, const std::array<Poly2, 3>& e) {
    const Poly2 sum = Add2(Add2(e[0], e[1]), e[2]);
    switch (q) {
      case kP: return Scaled2(Add2(e[0], e[1]), ExactNumber(2));
      case kL: return Scaled2(sum, ExactNumber(4));
      case kBase: return Mul2(e[0], e[1]);
      case kS: return Scaled2(Mul2(e[2], Add2(e[0], e[1])), ExactNumber(2));
      case kS1: return Scaled2(Add2(Add2(Mul2(e[0], e[1]), Mul2(e[1], e[2])), Mul2(e[2], e[0])), ExactNumber(2));
      case kD: return Add2(Add2(Mul2(e[0], e[0]), Mul2(e[1], e[1])), Mul2(e[2], e[2]));
      case kV: return Mul2(Mul2(e[0], e[1]), e[2]);
      default: return {};
    }
  }

  static ExactNumber Evaluate2(const Poly2& p, const ExactNumber& u, const ExactNumber& w) {
    ExactNumber value(0), power(1);
    for (const Poly& coefficient : p) {
      value = value + Evaluate(coefficient, u) * power;
      power = power * w;
    }
    return value;
  }

  static int DegreeInW(const Poly2& p) {
    int degree = -1;
    for (std::size_t i = 0; i < p.size(); ++i) {
      if (Degree(p[i]).value_or(0) >= 0) degree = static_cast<int>(i);
    }
    return degree;
  }

  // Two edges unknown, the third known or given by them through P or L,
  // none linked: two equations, each at most a square in one of the two
  // edges, give by their resultant an equation in the other alone; its
  // root whose box meets every equation is taken. false where none does.
  std::optional<bool> SolveByTwoEdges() {
    std::vector<std::size_t> unknown;
    for (std::size_t e : kEdges) {
      if (!known_[e]) unknown.push_back(e);
    }
    std::optional<std::size_t> through;  // P or L, which gives the third edge
    std::optional<LinkValue> linked;      // or a link, which gives it by another
    if (links_.size() > 1 || (links_.size() == 1 && unknown.size() != 3)) return false;
    if (unknown.size() == 3) {
      if (!links_.empty()) {
        linked = links_.front();
        unknown.erase(std::find(unknown.begin(), unknown.end(), linked->edge));
      } else if (known_[kP]) {
        through = kP, unknown = {kA, kC};
      } else if (known_[kL]) {
        through = kL, unknown = {kA, kB};
      } else {
        return false;
      }
    }
    if (unknown.size() != 2) return false;
    std::vector<std::size_t> equations;
    for (std::size_t q : {kP, kL, kBase, kS, kS1, kD, kV}) {
      if (known_[q] && q != through) equations.push_back(q);
    }
    const Poly2 zero{Poly{ExactNumber(0)}};
    for (int turn = 0; turn < 2; ++turn) {
      const std::size_t u = unknown[static_cast<std::size_t>(turn)], w = unknown[1 - static_cast<std::size_t>(turn)];
      std::array<Poly2, 3> edges;
      for (std::size_t e : kEdges) {
        if (e == u) edges[e] = {Poly{ExactNumber(0), ExactNumber(1)}};
        else if (e == w) edges[e] = {Poly{ExactNumber(0)}, Poly{ExactNumber(1)}};
        else if (!known_[e]) edges[e] = {};  // given through P or L below
        else edges[e] = {Poly{values_[e]}};
      }
      if (linked) {
        edges[linked->edge] = Add2(Scaled2(edges[linked->from], ExactNumber(linked->factor)), Poly2{Poly{linked->offset}});
      }
      if (through == kP) edges[kB] = Add2(Add2(Poly2{Poly{values_[kP] / 2}}, edges[kA], -1), zero);
      if (through == kL) edges[kC] = Add2(Add2(Add2(Poly2{Poly{values_[kL] / 4}}, edges[kA], -1), edges[kB], -1), zero);
      const auto equation = [&](std::size_t q) {
        const ExactNumber value = q == kD ? Square(values_[q]) : values_[q];
        Poly2 e = Add2(Of2(q, edges), Poly2{Poly{value}}, -1);
        e.resize(3, Poly{ExactNumber(0)});
        return e;
      };
      const auto edges_at = [&](const ExactNumber& x, const ExactNumber& y) {
        std::array<ExactNumber, 3> at;
        for (std::size_t e : kEdges) at[e] = Evaluate2(edges[e], x, y);
        return at;
      };
      for (std::size_t i = 0; i < equations.size(); ++i) {
        for (std::size_t j = i + 1; j < equations.size(); ++j) {
          const Poly2 f = equation(equations[i]), g = equation(equations[j]);
          if (DegreeInW(f) < 1 && DegreeInW(g) < 1) continue;
          bool approximate = false;
          const std::optional<std::pair<Poly, std::vector<ExactNumber>>> solved = ResultantRoots(f, g, approximate);
          if (!solved) continue;
          const Poly& resultant = solved->first;
          const std::vector<ExactNumber>& roots = solved->second;
          for (const ExactNumber& root : roots) {
            if (Sign(root).value_or(0) <= 0) continue;
            for (const ExactNumber& other : RootsInW(f, g, root)) {
              if (!other.has_value()) continue;
              const std::array<ExactNumber, 3> at = edges_at(root, other);
              if (!std::all_of(at.begin(), at.end(), [](const ExactNumber& x) { return Sign(x).value_or(0) > 0; })) {
                continue;
              }
              if (!MeetsEveryEquation(at, approximate)) continue;
              const std::string x(kBoxQuantities[u].name);
              std::vector<std::string> lines;
              if (through) {
                lines.push_back(std::string(kBoxQuantities[through == kP ? kB : kC].name) + " се изразява чрез " +
                                std::string(EdgeFormula(*through)) + ".");
              }
              lines.push_back("От " + std::string(EdgeFormula(equations[i])) + " и " +
                              std::string(EdgeFormula(equations[j])) + " изразяваме " +
                              std::string(kBoxQuantities[w].name) + " чрез " + x + " и получаваме:");
              lines.push_back(PolyText(resultant, x) + " = 0");
              lines.emplace_back(RootsFound(approximate));
              const Text written = Written(root, Measure::kLength);
              lines.push_back(x + (written.approximate || approximate ? " ≈ " : " = ") + written.text);
              approximate_ = approximate_ || approximate;
              std::vector<std::size_t> needs = {equations[i], equations[j]};
              if (through) needs.push_back(*through);
              for (std::size_t e : kEdges) {
                if (known_[e]) needs.push_back(e);
              }
              Record({u}, needs, std::move(lines));
              Set(u, root);
              return true;
            }
          }
        }
      }
    }
    return false;
  }

  // All three edges unknown, none linked: a and b enter every relation only
  // by their sum s and product p (P = 2·s, B = p, S = 2·s·c, V = p·c,
  // S₁ = 2·p + 2·s·c, d² = s² − 2·p + c², L = 4·(s + c)), so p is taken
  // from one relation, and the resultant of two others in s is an equation
  // in c. false where three relations do not give one.
  std::optional<bool> SolveBySumAndProduct() {
    if (!links_.empty() || known_[kA] || known_[kB] || known_[kC]) return false;
    std::vector<std::size_t> known;
    for (std::size_t q : {kBase, kV, kS1, kD, kP, kL, kS}) {
      if (known_[q]) known.push_back(q);
    }
    // Polynomials in c (u) and s (w).
    const Poly2 c{Poly{ExactNumber(0), ExactNumber(1)}};
    const Poly2 s{Poly{ExactNumber(0)}, Poly{ExactNumber(1)}};
    const auto constant = [](const ExactNumber& x) { return Poly2{Poly{x}}; };
    for (std::size_t from : known) {
      if (from != kBase && from != kV && from != kS1 && from != kD) continue;
      // p = np/dp
      Poly2 np, dp;
      switch (from) {
        case kBase: np = constant(values_[kBase]), dp = constant(ExactNumber(1)); break;
        case kV: np = constant(values_[kV]), dp = c; break;
        case kS1:
          np = Add2(constant(values_[kS1]), Scaled2(Mul2(s, c), ExactNumber(2)), -1);
          dp = constant(ExactNumber(2));
          break;
        default:
          np = Add2(Add2(Mul2(s, s), Mul2(c, c)), constant(Square(values_[kD])), -1);
          dp = constant(ExactNumber(2));
          break;
      }
      // Each other relation with p put in, times dp.
      const auto equation = [&](std::size_t q) {
        const Poly2 value = constant(q == kD ? Square(values_[q]) : values_[q]);
        Poly2 e;
        switch (q) {
          case kP: e = Add2(Scaled2(s, ExactNumber(2)), value, -1); break;
          case kL: e = Add2(Scaled2(Add2(s, c), ExactNumber(4)), value, -1); break;
          case kS: e = Add2(Scaled2(Mul2(s, c), ExactNumber(2)), value, -1); break;
          case kBase: e = Add2(np, Mul2(value, dp), -1); break;
          case kV: e = Add2(Mul2(c, np), Mul2(value, dp), -1); break;
          case kS1:
            e = Add2(Add2(Scaled2(np, ExactNumber(2)), Scaled2(Mul2(Mul2(s, c), dp), ExactNumber(2))),
                     Mul2(value, dp), -1);
            break;
          default:
            e = Add2(Add2(Add2(Mul2(Mul2(s, s), dp), Scaled2(np, ExactNumber(-2))), Mul2(Mul2(c, c), dp)),
                     Mul2(value, dp), -1);
            break;
        }
        e.resize(3, Poly{ExactNumber(0)});
        return e;
      };
      std::vector<std::size_t> others;
      for (std::size_t q : known) {
        if (q != from) others.push_back(q);
      }
      for (std::size_t i = 0; i < others.size(); ++i) {
        for (std::size_t j = i + 1; j < others.size(); ++j) {
          const Poly2 f = equation(others[i]), g = equation(others[j]);
          bool approximate = false;
          const std::optional<std::pair<Poly, std::vector<ExactNumber>>> solved = ResultantRoots(f, g, approximate);
          if (!solved) continue;
          for (const ExactNumber& height : solved->second) {
            if (Sign(height).value_or(0) <= 0) continue;
            // s from an equation at that height, p from its own relation,
            // and a, b the roots of x² − s·x + p = 0.
            for (const ExactNumber& sum : RootsInW(f, g, height)) {
              if (!sum.has_value() || Sign(sum).value_or(0) <= 0) continue;
              const ExactNumber product = Evaluate2(np, height, sum) / Evaluate2(dp, height, sum);
              const ExactNumber discriminant = Square(sum) - 4 * product;
              if (Sign(discriminant).value_or(-1) < 0) continue;
              ExactNumber a = (sum - Sqrt(discriminant)) / 2, b = (sum + Sqrt(discriminant)) / 2;
              if (approximate) a = FromDouble(a.ToDouble()), b = FromDouble(b.ToDouble());
              if (!a.has_value() || !b.has_value() || Sign(a).value_or(0) <= 0) continue;
              if (!MeetsEveryEquation({a, b, height}, approximate)) continue;
              std::vector<std::string> lines = {
                  "a и b влизат във всяка връзка само чрез a + b и a·b; от " + std::string(EdgeFormula(from)) +
                      ", " + std::string(EdgeFormula(others[i])) + " и " + std::string(EdgeFormula(others[j])) +
                      " за c получаваме:",
                  PolyText(solved->first, "c") + " = 0",
                  std::string(RootsFound(approximate))};
              const Text written = Written(height, Measure::kLength);
              lines.push_back("c" + std::string(written.approximate || approximate ? " ≈ " : " = ") + written.text);
              approximate_ = approximate_ || approximate;
              Record({kC}, {from, others[i], others[j]}, std::move(lines));
              Set(kC, height);
              return true;
            }
          }
        }
      }
    }
    return false;
  }

  // The resultant in w of two polynomials at most square in it, made monic,
  // and its positive roots: rational where it has them, else to the
  // doubles' precision (approximate set). nullopt where it is constant.
  static std::optional<std::pair<Poly, std::vector<ExactNumber>>> ResultantRoots(const Poly2& f, const Poly2& g,
                                                                                bool& approximate) {
    const Poly p = Add(Mul(f[2], g[0]), Mul(f[0], g[2]), -1);  // f₂g₀ − f₀g₂
    const Poly q = Add(Mul(f[2], g[1]), Mul(f[1], g[2]), -1);  // f₂g₁ − f₁g₂
    const Poly r = Add(Mul(f[1], g[0]), Mul(f[0], g[1]), -1);  // f₁g₀ − f₀g₁
    // Both linear in w: f₁g₀ − f₀g₁ alone.
    const bool linear = Degree(f[2]).value_or(0) < 0 && Degree(g[2]).value_or(0) < 0;
    Poly resultant = WithoutZeroRoots(linear ? r : Add(Mul(p, p), Mul(q, r), -1));
    const std::optional<int> degree = Degree(resultant);
    if (!degree || *degree < 1) return std::nullopt;
    resultant.resize(static_cast<std::size_t>(*degree) + 1);
    resultant = Scaled(resultant, ExactNumber(1) / resultant.back());
    std::vector<ExactNumber> roots = Roots(resultant, approximate);
    return std::make_pair(std::move(resultant), std::move(roots));
  }

  // The values of w at which f and g, at u, both vanish, or either does.
  static std::vector<ExactNumber> RootsInW(const Poly2& f, const Poly2& g, const ExactNumber& u) {
    std::vector<ExactNumber> found;
    for (const Poly2* e : {&f, &g}) {
      const ExactNumber e2 = Evaluate((*e)[2], u), e1 = Evaluate((*e)[1], u), e0 = Evaluate((*e)[0], u);
      if (Sign(e2).value_or(0) == 0) {
        if (Sign(e1).value_or(0) != 0) found.push_back((ExactNumber(0) - e0) / e1);
        continue;
      }
      const ExactNumber discriminant = Square(e1) - 4 * e2 * e0;
      if (Sign(discriminant).value_or(-1) < 0) continue;
      for (int sign : {-1, 1}) found.push_back((ExactNumber(0) - e1 + sign * Sqrt(discriminant)) / (2 * e2));
    }
    return found;
  }

  // Whether the edges give every value known: exactly, or to the doubles'
  // precision where they are approximate.
  bool MeetsEveryEquation(const std::array<ExactNumber, 3>& edges, bool approximate) const {
    if (approximate) {
      const double a = edges[kA].ToDouble(), b = edges[kB].ToDouble(), c = edges[kC].ToDouble();
      std::array<double, kBoxQuantityCount> found{};
      found[kA] = a, found[kB] = b, found[kC] = c, found[kP] = 2 * (a + b), found[kL] = 4 * (a + b + c);
      found[kBase] = a * b, found[kS] = 2 * (a + b) * c, found[kS1] = 2 * (a * b + b * c + c * a);
      found[kD] = a * a + b * b + c * c, found[kV] = a * b * c;
      for (std::size_t q = 0; q < kBoxQuantityCount; ++q) {
        if (!known_[q]) continue;
        const double value = q == kD ? Square(values_[q]).ToDouble() : values_[q].ToDouble();
        if (!(std::abs(found[q] - value) <= kApproximateTolerance * std::abs(value))) return false;
      }
      return true;
    }
    std::array<Poly, 3> constant;
    for (std::size_t e : kEdges) constant[e] = Poly{edges[e]};
    for (std::size_t q : {kA, kB, kC, kP, kL, kBase, kS, kS1, kD, kV}) {
      if (!known_[q]) continue;
      const ExactNumber value = q == kD ? Square(values_[q]) : values_[q];
      const ExactNumber found = q <= kC ? edges[q] : Of(q, constant)[0];
      if (approximate) {
        if (std::abs(found.ToDouble() - value.ToDouble()) > kApproximateTolerance * std::abs(value.ToDouble())) return false;
      } else if (Sign(found - value).value_or(1) != 0) {
        return false;
      }
    }
    return true;
  }

  // Three edges known only by their sum, the sum of their products by two
  // and their product: the roots of x³ − e₁·x² + e₂·x − e₃ = 0, where they
  // are rational. false where this is not the case; nullopt for no box.
  std::optional<bool> SolveBySymmetricCubic() {
    if (known_[kA] || known_[kB] || known_[kC] || !links_.empty()) return false;
    if (!known_[kL] || !known_[kV] || !(known_[kS1] || known_[kD])) return false;
    std::vector<std::string> lines;
    const ExactNumber e1 = values_[kL] / 4;
    const ExactNumber e2 = known_[kS1] ? values_[kS1] / 2 : (Square(e1) - Square(values_[kD])) / 2;
    const ExactNumber e3 = values_[kV];
    lines.push_back("a + b + c = L : 4 = " + Written(e1, Measure::kLength).text);
    lines.push_back(known_[kS1] ? "a·b + b·c + c·a = S₁ : 2 = " + Written(e2, Measure::kArea).text
                                : "a·b + b·c + c·a = ((a + b + c)² − d²) : 2 = " + Written(e2, Measure::kArea).text);
    lines.push_back("a·b·c = V = " + Written(e3, Measure::kVolume).text);
    lines.emplace_back("a, b и c са корените на уравнението x³ − (a + b + c)·x² + (a·b + b·c + c·a)·x − a·b·c = 0:");
    const Poly cubic = {ExactNumber(0) - e3, e2, ExactNumber(0) - e1, ExactNumber(1)};
    lines.push_back(PolyText(cubic, "x") + " = 0");
    const std::vector<Rational> found = RationalRoots(cubic);
    const std::vector<std::size_t> needs = {kL, kV, known_[kS1] ? kS1 : kD};
    if (found.empty()) return false;
    // The other two from what is left: x² + (r − e₁)·x + e₃/r = 0.
    const ExactNumber r(found.front());
    const ExactNumber p = r - e1, q = e3 / r;
    const ExactNumber discriminant = Square(p) - 4 * q;
    if (Sign(discriminant).value_or(-1) < 0) {
      lines.push_back("Проверяваме делителите: x = " + Written(r, Measure::kLength).text +
                      "; другите два корена не са реални" + NoBox());
      Record({kA, kB, kC}, needs, std::move(lines));
      return std::nullopt;
    }
    std::vector<ExactNumber> roots = {r, (ExactNumber(0) - p - Sqrt(discriminant)) / 2,
                                      (ExactNumber(0) - p + Sqrt(discriminant)) / 2};
    for (const ExactNumber& root : roots) {
      if (!root.has_value()) return false;
      if (Sign(root).value_or(0) <= 0) {
        lines.push_back("Корен x = " + Minus(prism::Written(Derived(root), kDecimals, format_).text) +
                        " ≤ 0" + NoBox());
        Record({kA, kB, kC}, needs, std::move(lines));
        return std::nullopt;
      }
    }
    std::sort(roots.begin(), roots.end(), [](const ExactNumber& x, const ExactNumber& y) {
      return Sign(x - y).value_or(0) < 0;
    });
    lines.push_back("Проверяваме делителите: x = " + Written(r, Measure::kLength).text +
                    " е корен; другите два са корените на " + PolyText({q, p, ExactNumber(1)}, "x") +
                    " = 0.");
    for (std::size_t i = 0; i < 3; ++i) {
      const Text written = Written(roots[i], Measure::kLength);
      lines.push_back(std::string(Info(static_cast<BoxQuantity>(kEdges[i])).name) +
                      (written.approximate ? " ≈ " : " = ") + written.text);
      Set(kEdges[i], roots[i]);
    }
    Record({kA, kB, kC}, needs, std::move(lines));
    return true;
  }

  // Every value given agrees with the box found: the ones no step took are
  // checked aloud. false, with the line that says which, where one does not.
  bool Check() {
    for (std::size_t q = 0; q < kBoxQuantityCount; ++q) {
      if (!given_[q]) continue;
      for (std::size_t r = 0; r < kForwardRows; ++r) {
        const Solved& row = kSolved[r];
        if (row.target != q) continue;
        if (!std::all_of(row.needs.begin(), row.needs.begin() + static_cast<std::ptrdiff_t>(row.need_count),
                         [this](std::size_t need) { return known_[need]; })) {
          break;
        }
        ExactNumber computed = row.value(values_);
        if (approximate_ && !computed.IsRational()) computed = FromDouble(computed.ToDouble());
        const std::string rhs = std::string(row.text.substr(row.text.find(" = ") + 3));
        const auto [put_in, approximate] = PutValuesIn(row.put_in);
        const std::string derivation =
            rhs + " = " + put_in + (approximate ? " ≈ " : " = ") + Written(computed, kBoxQuantities[q].measure).text;
        const bool agrees = approximate_ ? std::abs(computed.ToDouble() - values_[q].ToDouble()) <=
                                                kApproximateTolerance * std::abs(values_[q].ToDouble())
                                          : Sign(computed - values_[q]).value_or(1) == 0;
        if (!agrees) {
          contradiction_needs_.assign(row.needs.begin(), row.needs.begin() + static_cast<std::ptrdiff_t>(row.need_count));
          checks_.push_back(std::string(kBoxQuantities[q].name) + " = " +
                            Written(values_[q], kBoxQuantities[q].measure, kGivenDecimals).text + ", а " +
                            derivation + NoBox());
          return false;
        }
        if (!used_[q]) {
          checks_.push_back("Проверка: " + std::string(kBoxQuantities[q].name) + " = " + derivation +
                            ", както е дадено.");
        }
        break;
      }
    }
    return true;
  }

  std::string Litres(const ExactNumber& volume) const {
    if (unit_.cubes_per_litre_numerator == 0) return "";
    const ExactNumber per_litre = ExactNumber(static_cast<int>(unit_.cubes_per_litre_numerator)) /
                                  ExactNumber(static_cast<int>(unit_.cubes_per_litre_denominator));
    const WrittenValue written = prism::Written(Derived(volume / per_litre), kDecimals, format_);
    return (written.approximate ? " ≈ " : " = ") + Minus(written.text) + " л";
  }

  std::string ValueLine(std::size_t q) const {
    const Text text = Written(values_[q], kBoxQuantities[q].measure);
    std::string line = std::string(kBoxQuantities[q].name) + (text.approximate ? " ≈ " : " = ") + text.text;
    if (q == kV) line += Litres(values_[q]);
    return line;
  }

  void WriteAnswer() {
    answer_.emplace_back(Heading(SolutionPart::kAnswer));
    for (std::size_t q : Sought()) answer_.push_back(ValueLine(q));
  }

  // The records the values wanted come from, in their order: those of
  // the wanted values and of every value they need.
  std::vector<bool> Needed(std::vector<std::size_t> wanted_values) const {
    std::vector<bool> needed(records_.size(), false);
    std::array<bool, kBoxQuantityCount> wanted{};
    for (std::size_t q : wanted_values) wanted[q] = true;
    for (std::size_t i = records_.size(); i-- > 0;) {
      const bool wanted_here = std::any_of(records_[i].targets.begin(), records_[i].targets.end(),
                                           [&](std::size_t q) { return wanted[q]; });
      if (!wanted_here) continue;
      needed[i] = true;
      for (std::size_t q : records_[i].needs) wanted[q] = true;
    }
    return needed;
  }

  // Where there is no box, the last step says why: it and the steps it
  // stands on.
  std::vector<bool> NeededForTheLast() const {
    std::vector<bool> needed = records_.empty() ? std::vector<bool>() : Needed(records_.back().needs);
    if (!needed.empty()) needed.back() = true;
    return needed;
  }

  // How a step's value is named: the base's area and perimeter after their
  // first line ("P = 2·(a + b) = 14 см (периметър на основата)"); every
  // value before its line where the lines stand apart from the solution
  // ("Пълна повърхнина: S₁ = …").
  enum class Naming { kAfterFirstUse, kBefore };

  std::vector<std::string> Lines(const std::vector<bool>& which, Naming naming) const {
    std::vector<std::string> lines;
    std::array<bool, kBoxQuantityCount> named = given_;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      if (!which[i]) continue;
      const StepRecord& record = records_[i];
      const std::size_t first = lines.size();
      lines.insert(lines.end(), record.lines.begin(), record.lines.end());
      const std::size_t q = record.targets.front();
      if (naming == Naming::kBefore) {
        lines[first] = Capitalized(kBoxQuantities[q].title) + ": " + lines[first];
      } else if ((q == kBase || q == kP) && !named[q] && !lines[first].ends_with('.')) {
        lines[first] += " (" + std::string(kBoxQuantities[q].title) + ")";
      }
      named[q] = true;
    }
    return lines;
  }

  // The title with its first letter capital: the titles are Bulgarian, and
  // a lowercase Cyrillic letter is two bytes in UTF-8, а–п D0 B0–BF and
  // р–я D1 80–8F, their capitals D0 90–AF.
  static std::string Capitalized(std::string_view title) {
    std::string text(title);
    if (text.size() < 2) return text;
    const auto lead = static_cast<unsigned char>(text[0]), next = static_cast<unsigned char>(text[1]);
    if (lead == 0xD0 && next >= 0xB0 && next <= 0xBF) {
      text[1] = static_cast<char>(next - 0x20);
    } else if (lead == 0xD1 && next >= 0x80 && next <= 0x8F) {
      text[0] = static_cast<char>(0xD0);
      text[1] = static_cast<char>(next + 0x20);
    }
    return text;
  }

  ProblemSolution Finish(ProblemOutcome outcome) {
    ProblemSolution solution;
    solution.outcome = outcome;
    solution.values = values_;
    solution.approximate = sought_approximate_.value_or(approximate_);
    std::vector<std::string> lines = std::move(lines_);
    if (outcome == ProblemOutcome::kMissing) {
      solution.missing = Missing();
      solution.worked.lines = std::move(lines);
      return solution;
    }
    const std::vector<bool> needed = outcome == ProblemOutcome::kSolved  ? Needed(Sought())
                                     : outcome == ProblemOutcome::kNoBox ? NeededForTheLast()
                                                                         : Needed(contradiction_needs_);
    const std::vector<std::string> steps = Lines(needed, Naming::kAfterFirstUse);
    lines.insert(lines.end(), steps.begin(), steps.end());
    lines.insert(lines.end(), checks_.begin(), checks_.end());
    lines.insert(lines.end(), answer_.begin(), answer_.end());
    // An answer always: a sentence where there is none to give.
    if (outcome == ProblemOutcome::kNoBox || outcome == ProblemOutcome::kContradiction) {
      lines.push_back(std::string(Heading(SolutionPart::kAnswer)) +
                      (out_of_range_ ? " Няма отговор." : " Няма правоъгълен паралелепипед с такива размери."));
    }
    if (outcome == ProblemOutcome::kSolved) {
      // Nothing sought: every step the answer did not need; else the
      // values asked for besides, by the steps the answer did not take.
      std::vector<bool> more(records_.size(), false);
      std::vector<std::size_t> also;
      for (BoxQuantity q : problem_.also) also.push_back(Index(q));
      const std::vector<bool> wanted = problem_.sought.empty() ? std::vector<bool>(records_.size(), true) : Needed(also);
      // The diagonal takes Pythagoras' theorem, taught in grade 7.
      const auto taught = [this](const StepRecord& record) { return style_.grade >= 7 || record.targets.front() != kD; };
      for (std::size_t i = 0; i < records_.size(); ++i) more[i] = wanted[i] && !needed[i] && taught(records_[i]);
      const std::vector<std::string> more_lines = Lines(more, Naming::kBefore);
      if (!more_lines.empty()) {
        lines.emplace_back(Heading(SolutionPart::kMore));
        lines.insert(lines.end(), more_lines.begin(), more_lines.end());
      }
    }
    solution.worked.lines = std::move(lines);
    solution.worked.unit = unit_.unit;
    solution.worked.box = outcome == ProblemOutcome::kSolved && known_[kA] && known_[kB] && known_[kC] &&
                          known_[kS] && known_[kV];
    if (solution.worked.box) {
      for (Quantity field : kAllQuantities) {
        solution.worked.values[field] = values_[Index(ToBoxQuantity(field))].ToDouble();
      }
      for (std::size_t e : kEdges) {
        const WrittenValue written =
            prism::Written(Derived(values_[e]), given_[e] ? kGivenDecimals : kDecimals, format_);
        solution.worked.edge_values[e] = Minus(written.text) + Unit(Measure::kLength);
        solution.worked.edge_labels[e] = std::string(kBoxQuantities[e].name) +
                                         (written.approximate ? " ≈ " : " = ") + solution.worked.edge_values[e];
      }
    }
    return solution;
  }

  // How many more values the box needs, and which might be given.
  std::string Missing() const {
    // An edge given by another is no value of its own to ask for.
    std::vector<std::string_view> unknown;
    for (std::size_t e : kEdges) {
      const bool linked = std::any_of(links_.begin(), links_.end(), [e](const LinkValue& link) { return link.edge == e; });
      if (!known_[e] && !linked) unknown.push_back(kBoxQuantities[e].name);
    }
    std::size_t equations = 0;
    for (std::size_t q : {kS, kS1, kV, kBase, kP, kD, kL}) equations += known_[q] && !used_[q];
    const std::size_t missing = std::max<std::size_t>(1, unknown.size() > equations ? unknown.size() - equations : 1);
    if (unknown.empty()) return "Липсва още една величина.";
    const std::size_t named = std::min(missing, unknown.size());
    const std::string names = JoinedWithAnd({unknown.end() - static_cast<std::ptrdiff_t>(named), unknown.end()});
    return missing == 1 ? "Липсва още една величина, например " + names + "."
           : missing == 2 ? "Липсват още две величини, например " + names + "."
                          : "Липсват още три величини, например " + names + ".";
  }

  struct LinkValue {
    std::size_t edge, from;
    Rational factor;
    ExactNumber offset;
  };
  struct StepRecord {
    std::vector<std::size_t> targets, needs;
    std::vector<std::string> lines;
  };

  const Problem& problem_;
  const NumberFormat format_;
  const LengthUnitInfo& unit_;
  const SolutionStyle style_;
  Values values_;
  std::array<bool, kBoxQuantityCount> known_{}, given_{}, used_{};
  // An edge is a root found to the doubles' precision, not exactly.
  bool approximate_ = false;
  // Whether that was so when what is sought was first known.
  std::optional<bool> sought_approximate_;
  // A value left the doubles' range: no answer, rather than no box.
  bool out_of_range_ = false;
  // What the value a given one disagrees with was computed from.
  std::vector<std::size_t> contradiction_needs_;
  std::vector<Step> steps_;
  std::vector<LinkValue> links_;
  std::vector<std::string> lines_, checks_, answer_;
  std::vector<StepRecord> records_;
};

}  // namespace

ProblemSolution SolveProblem(const Problem& problem, const NumberFormat& format,
                             std::optional<LengthUnit> unit, SolutionStyle style) {
  return Engine(problem, format, unit, style).Run();
}

}  // namespace prism
