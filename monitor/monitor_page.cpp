#include "monitor/monitor_page.h"
