#pragma once

#include <cstdint>

class frmday;

// Positions of the scrolling banner, in twips.
constexpr float BannerStart = 7000; // start-up and every wrap
constexpr float BannerAfterRefusal = 10000; // after SHOW refuses a date
constexpr float BannerWrap = -7000;
constexpr float BannerStep = 25;

void Timer1_Timer(frmday& f);
// Moves the banner to where the ticks missed out of sight would have taken it.
void Timer1_Missed(frmday& f, std::int64_t ticks);
