#include "TestGreeter.h"

ITestGreeter::~ITestGreeter() = default;
