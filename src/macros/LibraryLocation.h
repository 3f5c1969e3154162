#pragma once
// Address of one place in a macro library: the tree level and up to three indices.

#include <cstdint>

struct LibraryLocation {
  static constexpr int32_t kGroupSize = 45;  // places per group, indices 0..44
  static constexpr int32_t kLevels = 3;

  int32_t stage = -1;  // 0..2 = tree level; -1 = no entry
  int32_t stage0Index = 0;
  int32_t stage1Index = 0;  // used from level 1 on
  int32_t stage2Index = 0;  // used at level 2

  static constexpr LibraryLocation None() { return {}; }
  static constexpr LibraryLocation Level0(int32_t i) { return {0, i, 0, 0}; }
  static constexpr LibraryLocation Level1(int32_t i, int32_t j) { return {1, i, j, 0}; }
  static constexpr LibraryLocation Level2(int32_t i, int32_t j, int32_t k) { return {2, i, j, k}; }

  constexpr bool IsNone() const { return stage == -1; }
  // A level 0..2 whose used indices lie in 0..44. Every other location names no place.
  constexpr bool IsValid() const {
    if (stage < 0 || stage >= kLevels) return false;
    if (!InRange(stage0Index)) return false;
    if (stage >= 1 && !InRange(stage1Index)) return false;
    if (stage >= 2 && !InRange(stage2Index)) return false;
    return true;
  }
  // Index of the place inside its group.
  constexpr int32_t Index() const {
    return stage == 0 ? stage0Index : stage == 1 ? stage1Index : stage2Index;
  }
  // The same location with the fields its level does not use set to 0.
  constexpr LibraryLocation Normalized() const {
    return {stage, stage0Index, stage >= 1 ? stage1Index : 0, stage >= 2 ? stage2Index : 0};
  }
  // The first child place of this (folder) location.
  constexpr LibraryLocation FirstChild() const {
    return stage == 0 ? Level1(stage0Index, 0) : Level2(stage0Index, stage1Index, 0);
  }
  constexpr LibraryLocation WithIndex(int32_t index) const {
    LibraryLocation l = *this;
    (stage == 0 ? l.stage0Index : stage == 1 ? l.stage1Index : l.stage2Index) = index;
    return l;
  }

  friend constexpr bool operator==(const LibraryLocation&, const LibraryLocation&) = default;

 private:
  static constexpr bool InRange(int32_t i) { return i >= 0 && i < kGroupSize; }
};
