#pragma once
// The 23 text settings of a profile by position; the order is the order of the profile file.

enum class TextSetting : int {
  ProfileName,
  GameFile0,
  GameFile1,
  GameFile2,
  DoubleClickSpeed,
  PointerSpeed,
  AccelerationEnable,
  ScrollWheelSpeed,
  ScrollWheelPageEnable,
  TiltSpeed,
  Sensitivity_X,
  Sensitivity_Y,
  XYSynchronous,
  X_DPI,
  Y_DPI,
  MoveLightingOnOffMode,
  PowerDownTime,
  LiftDetectionHeight,
  KeyDebounce,
  MotionWakeup,
  AngleSnap,
  MotionSync,
  RippleControl,
};
