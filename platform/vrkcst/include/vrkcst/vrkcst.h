#pragma once

// The themed dialog base and control wrappers.
#include <vrkcst/CZelButton.h>
#include <vrkcst/CZelCheckBox.h>
#include <vrkcst/CZelComboBox.h>
#include <vrkcst/CZelDialog.h>
#include <vrkcst/CZelEdit.h>
#include <vrkcst/CZelGroupTitle.h>
#include <vrkcst/CZelRadioButton.h>
#include <vrkcst/CZelSlider.h>
#include <vrkcst/CZelSpinButton.h>
#include <vrkcst/CZelStatic.h>
#include <vrkcst/CZelTheme.h>
#include <vrkcst/CZelTreeCtrl.h>
