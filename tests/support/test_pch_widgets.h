#pragma once

// The widget tests' common headers on top of the core ones, precompiled once.
#include "test_pch_core.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
