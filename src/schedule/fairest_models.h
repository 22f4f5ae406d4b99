#pragma once
// The two models of Fairest's search (inside the schedule library only).
//
// Placement keeps each division's circle schedule and chooses which team
// stands on which position, for the whole season (every choice has the
// fewest breaks of mirrored passes) or for each pass on its own.
// Orientation keeps the divisions' tables as they stand and chooses the host
// of every match, for one pass that the next mirrors, or for every week (a
// pass need not then mirror the one before), with each team's home games
// within one in every whole pass (a pass cut short by the season's end is
// free). Each team's breaks in each pass are counted; a bound on them,
// starting at the circle's own, is assumed and raised only where a conflict
// shows it must be. The search starts from the circle's own hosts.

#include <cstddef>
#include <utility>
#include <vector>

#include "schedule/divisions.h"
#include "schedule/fairest.h"
#include "schedule/sat_model.h"

namespace quintora::schedule {

class HomeModel {
 public:
  virtual ~HomeModel() = default;
  // The literal "team (league number) hosts in week w (0-based)"; 0 when it
  // cannot (its bye).
  virtual int home(int team, int w) = 0;
  SatModel& sat() { return sat_; }

 protected:
  explicit HomeModel(SatModel& sat) : sat_(sat) {}
  SatModel& sat_;
};

class PlacementModel : public HomeModel {
 public:
  // One placement per division for the whole season (its passes mirror), or
  // with `weeks` > 0 one for each of its passes in that many weeks.
  PlacementModel(SatModel& sat, const std::vector<DivisionPart>& parts, int weeks = 0);
  int home(int team, int w) override;
  // Starts the search from Fairest's own placement of each division, the
  // same in every pass.
  void prefer(int variant);
  // The division's placement (in its pass `pass`) in the solver's answer.
  CirclePlacement placement_of(int part, int pass = 0);
  // In the solver's answer: the literal "the team stands on its position"
  // of every team in every pass that ends by week `end`.
  std::vector<int> placed_by(int end);
  // Whether the passes have placements of their own.
  bool per_pass() const { return per_pass_; }

 private:
  struct Circle {
    int n_real = 0;  // positions 0..n_real - 1 take the real teams
    int nweek = 0;
    std::vector<signed char> side;  // [k * (nweek + 1) + r]: 1 hosts, -1 visits, 0 bye
    int of(int k, int r) const { return side[static_cast<std::size_t>(k * (nweek + 1) + r)]; }
  };
  struct Team {
    int part = -1;
    std::vector<int> first_var;  // p(team, q, k) = first_var[q] + k, q the placement
    std::vector<int> home;       // [(q or parity) * (nweek + 1) + round]: its variable, 0 until needed
  };
  static Circle circle_of(int n_team);
  int p(int team, int q, int k) const {
    return teams_[static_cast<std::size_t>(team - 1)].first_var[static_cast<std::size_t>(q)] + k;
  }

  const std::vector<DivisionPart>& parts_;
  bool per_pass_ = false;
  std::vector<Circle> circles_;
  std::vector<Team> teams_;
};

// A bound on the breaks of one team in one pass (the break into the pass
// included): the counter's registers and the bound now assumed.
struct BreakBound {
  std::vector<int> more_than;  // register j: more than j breaks
  int level = 0;
  // The literal to assume; 0 once the bound is past the counter.
  int literal() const {
    return level >= 0 && static_cast<std::size_t>(level) < more_than.size()
               ? -more_than[static_cast<std::size_t>(level)]
               : 0;
  }
};

class OrientationModel : public HomeModel {
 public:
  // The parts hold their tables, rounds in play order, or their hosts of
  // every week; `weeks` of them. With `mirrored` (tables only), a division's
  // hosts are chosen for one pass and every second pass exchanges them.
  OrientationModel(SatModel& sat, const std::vector<DivisionPart>& parts, int weeks, bool mirrored = false);
  int home(int team, int w) override;
  // Starts the search from the matches as they stand.
  void prefer();
  // One bound per team and pass, each starting at the breaks of the start.
  std::vector<BreakBound>& bounds() { return bounds_; }
  // Literals holding every match as it stands in the weeks outside the
  // window [first, last).
  std::vector<int> as_they_stand(std::pair<int, int> window) const;
  // The hosts of every week in the solver's answer, for the season builder.
  std::vector<std::vector<season::Match>> matches_of(int part);

 private:
  static constexpr int max_bound = 6;
  struct Game {
    int week = 0;
    int host = 0;               // the literal "hosts"
    bool as_it_stands = false;  // hosts in the matches as they stand
  };
  int variable(int part, int w, int m) const;
  void balance(const std::vector<int>& hosts);
  void count_breaks(int part, const std::vector<Game>& games);

  const std::vector<DivisionPart>& parts_;
  int weeks_ = 0;
  bool mirrored_ = false;
  std::vector<std::vector<std::vector<season::Match>>> base_;  // [part][week]: the matches as they stand
  std::vector<int> first_var_;          // per part: the first of its variables (see variable())
  std::vector<std::vector<int>> host_;  // [team - 1][week]: hosts, 0 on its bye
  std::vector<BreakBound> bounds_;
};

}  // namespace quintora::schedule
