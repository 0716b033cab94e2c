#pragma once

// The controller link: frames, the link object, the port scan and the image transfer.
#include "link/config_image.h"
#include "link/config_transfer.h"
#include "link/link_frame.h"
#include "link/port_scan.h"
#include "link/serial_link.h"
#include "link/serial_port.h"
