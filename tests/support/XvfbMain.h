#pragma once
// For the tests that XvfbMain.cpp runs: whether their private X server is up (else they skip).
bool XvfbStarted();
