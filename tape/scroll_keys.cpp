#include "amount/amount.h"
