#pragma once
// The base of every test that drives dialogs through the robot, as a new
// user meets them: the US-English language module is the resource handle
// (as Open makes it), no last import is remembered, and at the end the
// robot failed nowhere, every script queued met its dialog, and no import
// is left open.
#include "UiRobot.h"

#include <gtest/gtest.h>

class DialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static HMODULE s_hLanguageModule;
    CUiRobot m_robot;
};
