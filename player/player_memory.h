#pragma once

#include <cstddef>
#include <cstdint>

// Reads the memory of another process, opening it for each read.
class PlayerMemory {
 public:
  virtual ~PlayerMemory() = default;

  // Copies length bytes at address of process pid into buffer; false unless all of them
  // were copied, and then buffer is not to be used.
  virtual bool read(int32_t pid, uint32_t address, unsigned char* buffer, size_t length) = 0;
};
