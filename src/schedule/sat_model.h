#pragma once
// A CNF problem on CaDiCaL, with the few constraint forms Fairest's searches
// use. A constraint that may be given up carries an activation literal `act`
// in every clause: assumed true it holds, assumed false it is void. Solving
// is bounded by a count of conflicts, never by the clock.

#include <atomic>
#include <cadical.hpp>
#include <initializer_list>
#include <vector>

namespace quintora::schedule {

class SatModel {
 public:
  explicit SatModel(const std::atomic<bool>* cancel);
  SatModel(const SatModel&) = delete;
  SatModel& operator=(const SatModel&) = delete;
  ~SatModel();

  int new_var() { return ++n_var_; }
  int new_vars(int count) {
    const int first = n_var_ + 1;
    n_var_ += count;
    return first;
  }
  void clause(std::initializer_list<int> lits, int act = 0);
  void clause(const std::vector<int>& lits, int act = 0);
  // At most `most` of lits true (a sequential counter).
  void at_most(const std::vector<int>& lits, int most, int act = 0);
  void exactly_one(const std::vector<int>& lits);
  // Registers of a sequential counter over lits: register j is true when
  // more than j of them are (j = 0..size - 1), so assuming its negation
  // bounds the count by j.
  std::vector<int> counter(const std::vector<int>& lits, int size);

  enum class Answer { Satisfied, Unsatisfied, Unknown };
  // Solves under the assumptions within `conflicts`; Unknown when the count
  // ran out or the cancel flag was set.
  Answer solve(const std::vector<int>& assumptions, int conflicts);
  bool value(int lit) { return solver_.val(lit) > 0; }
  bool failed(int lit) { return solver_.failed(lit); }
  void prefer(int lit) { solver_.phase(lit); }
  // Clauses learnt (one a conflict) by every solve so far.
  long conflicts() const { return learnt_.count; }

 private:
  class Cancel : public CaDiCaL::Terminator {
   public:
    explicit Cancel(const std::atomic<bool>* flag) : flag_(flag) {}
    bool terminate() override { return flag_ && flag_->load(); }

   private:
    const std::atomic<bool>* flag_;
  };

  class Learnt : public CaDiCaL::Learner {
   public:
    bool learning(int) override {
      ++count;
      return false;
    }
    void learn(int) override {}
    long count = 0;
  };

  CaDiCaL::Solver solver_;
  Cancel cancel_;
  Learnt learnt_;
  int n_var_ = 0;
};

}  // namespace quintora::schedule
