// The nearness rule (the vector arithmetic is inline in vector.h).
#include "geometry/vector.h"

bool isNear(Vector p, Vector c) {
    return c.x - 5.0f <= p.x && p.x <= c.x + 5.0f && c.y - 5.0f <= p.y && p.y <= c.y + 5.0f;
}
