#pragma once

// Files, the observer object, coordinate comparison and field exchange.
#include <vrkcom/CCommonCoordFormat.h>
#include <vrkcom/CCommonFile.h>
#include <vrkcom/CFileExist.h>
#include <vrkcom/CGeoDateObs.h>
#include <vrkcom/VrkDDX.h>
