// A MemoryLineStore that counts the calls made on it and gives up, by
// throwing, once a budget is spent, so that a fuzzer can tell a walk that
// would never end from a long one.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "score/MemoryLineStore.h"

namespace kadenzo::fuzz {

class CountingLineStore final : public LineStore {
 public:
  struct BudgetSpent : std::runtime_error {
    BudgetSpent() : std::runtime_error("the line store's call budget is spent") {}
  };

  // No budget until SetBudget is called.
  void SetBudget(std::size_t calls) {
    calls_ = 0;
    budget_ = calls;
  }

  std::size_t Size() const override {
    Count();
    return store_.Size();
  }
  std::string_view At(std::size_t index) const override {
    Count();
    return store_.At(index);
  }
  void Set(std::size_t index, std::string_view text) override {
    Count();
    store_.Set(index, text);
  }
  void InsertAt(std::size_t index, std::string_view text) override {
    Count();
    store_.InsertAt(index, text);
  }

 private:
  void Count() const {
    if (++calls_ > budget_) throw BudgetSpent();
  }

  MemoryLineStore store_;
  mutable std::size_t calls_ = 0;
  std::size_t budget_ = static_cast<std::size_t>(-1);
};

}  // namespace kadenzo::fuzz
