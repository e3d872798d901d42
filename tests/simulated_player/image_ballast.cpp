// Four MiB of initialised data that make the simulated player's image as large as a real
// player's, for measuring the pattern search. The bytes come from xorshift32 so that the
// search meets varied bytes, as it would in a real image, and never the pattern; the
// assembler generates them. Listed before the player's own sources, they lie in .data ahead
// of the time block, so the search reads them all before it finds the pattern.
asm(R"(
  .data
  .balign 64
  .globl simulatedPlayerBallast
simulatedPlayerBallast:
  .set state, 2463534242
  .rept 1048576
  .set state, state ^ ((state << 13) & 0xFFFFFFFF)
  .set state, state ^ (state >> 17)
  .set state, state ^ ((state << 5) & 0xFFFFFFFF)
  .long state
  .endr
  .text
)");
