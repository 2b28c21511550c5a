#include "TestGreeter.h"

#include "TestControl.h"

ITestGreeter::~ITestGreeter() = default;
ITestControl::~ITestControl() = default;
