#pragma once

namespace vel {

class Db;

// The lowest post code below 20 of any month's staff: the highest rank a government organ has,
// which decides its unit heads and office staff. 0 when there is none; every rank rule then takes
// nobody, as a value kept from an earlier computation would.
int LookLeader(Db& db);

}  // namespace vel
