#include "schedule/sat_model.h"

#include <cstddef>
#include <utility>

namespace quintora::schedule {

namespace {
std::size_t ix(int i) { return static_cast<std::size_t>(i); }
}  // namespace

SatModel::SatModel(const std::atomic<bool>* cancel) : cancel_(cancel) {
  solver_.connect_terminator(&cancel_);
  solver_.connect_learner(&learnt_);
}

SatModel::~SatModel() {
  solver_.disconnect_learner();
  solver_.disconnect_terminator();
}

void SatModel::clause(std::initializer_list<int> lits, int act) {
  for (int lit : lits) solver_.add(lit);
  if (act != 0) solver_.add(-act);
  solver_.add(0);
}

void SatModel::clause(const std::vector<int>& lits, int act) {
  for (int lit : lits) solver_.add(lit);
  if (act != 0) solver_.add(-act);
  solver_.add(0);
}

void SatModel::at_most(const std::vector<int>& lits, int most, int act) {
  const int n = static_cast<int>(lits.size());
  if (most >= n) return;
  if (most <= 0) {
    for (int lit : lits) clause({-lit}, act);
    return;
  }
  if (most == n - 1) {  // not all of them: one clause
    std::vector<int> some_false;
    for (int lit : lits) some_false.push_back(-lit);
    clause(some_false, act);
    return;
  }
  // now[j]: more than j of the literals so far are true.
  std::vector<int> before(ix(most)), now(ix(most));
  for (int i = 0; i < n; ++i) {
    const int x = lits[ix(i)];
    for (int j = 0; j < most; ++j) now[ix(j)] = new_var();
    clause({-x, now[0]}, act);
    if (i == 0) {
      for (int j = 1; j < most; ++j) clause({-now[ix(j)]}, act);
    } else {
      clause({-before[0], now[0]}, act);
      for (int j = 1; j < most; ++j) {
        clause({-x, -before[ix(j - 1)], now[ix(j)]}, act);
        clause({-before[ix(j)], now[ix(j)]}, act);
      }
      clause({-x, -before[ix(most - 1)]}, act);
    }
    std::swap(before, now);
  }
}

std::vector<int> SatModel::counter(const std::vector<int>& lits, int size) {
  std::vector<int> before, now;
  for (std::size_t i = 0; i < lits.size(); ++i) {
    now.clear();
    for (int j = 0; j < size; ++j) now.push_back(new_var());
    clause({-lits[i], now[0]});
    if (i > 0) {
      for (int j = 0; j < size; ++j) clause({-before[ix(j)], now[ix(j)]});
      for (int j = 1; j < size; ++j) clause({-lits[i], -before[ix(j - 1)], now[ix(j)]});
    }
    std::swap(before, now);
  }
  return before;
}

void SatModel::exactly_one(const std::vector<int>& lits) {
  clause(lits);
  at_most(lits, 1);
}

SatModel::Answer SatModel::solve(const std::vector<int>& assumptions, int conflicts) {
  for (int lit : assumptions) solver_.assume(lit);
  solver_.limit("conflicts", conflicts);
  switch (solver_.solve()) {
    case 10:
      return Answer::Satisfied;
    case 20:
      return Answer::Unsatisfied;
    default:
      return Answer::Unknown;
  }
}

}  // namespace quintora::schedule
