// Every allocation of this test program is counted (see tests/common/alloccount.h).
#include "tests/common/alloccount.h"

QV_COUNTING_OPERATOR_NEW
