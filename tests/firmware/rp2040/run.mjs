// SPDX-License-Identifier: Zlib
// Runs a firmware linked for the RP2040's SRAM under rp2040js: loads the ELF's segments, starts
// the core from the vector table at 0x20000000, lets the clock run with every instruction (so
// that SysTick counts), prints what the firmware writes to UART0 and exits with r0 when the
// firmware reaches a bkpt. rp2040js runs an instruction it does not know as a 1-cycle no-op
// with a warning, so any warning from it ends the run as a failure.
// Usage: node run.mjs FIRMWARE.elf
import { readFileSync } from 'node:fs';
import { RP2040 } from 'rp2040js';

const SRAM = 0x20000000;
const PT_LOAD = 1;

function fail(message) {
  process.stderr.write(`run.mjs: ${message}\n`);
  process.exit(2);
}

// Copies each loadable segment of a 32-bit little-endian ARM ELF file into SRAM.
function load(mcu, path) {
  const elf = readFileSync(path);
  const ELFCLASS32 = 1, ELFDATA2LSB = 1, EM_ARM = 40;
  if (elf.length < 52 || elf.readUInt32BE(0) !== 0x7f454c46 || elf[4] !== ELFCLASS32 ||
      elf[5] !== ELFDATA2LSB || elf.readUInt16LE(18) !== EM_ARM) {
    fail(`${path} is not a 32-bit little-endian ARM ELF file`);
  }
  const phoff = elf.readUInt32LE(28);
  const phentsize = elf.readUInt16LE(42);
  const phnum = elf.readUInt16LE(44);
  for (let i = 0; i < phnum; i++) {
    const header = phoff + i * phentsize;
    if (elf.readUInt32LE(header) !== PT_LOAD) continue;
    const offset = elf.readUInt32LE(header + 4);
    const address = elf.readUInt32LE(header + 12);
    const size = elf.readUInt32LE(header + 16);
    if (size === 0) continue;
    if (offset + size > elf.length) fail(`${path} is cut short`);
    if (address < SRAM || address + size > SRAM + mcu.sram.length) {
      fail(`segment at 0x${address.toString(16)} (${size} bytes) is outside SRAM`);
    }
    mcu.sram.set(elf.subarray(offset, offset + size), address - SRAM);
  }
}

if (process.argv.length !== 3) fail('usage: node run.mjs FIRMWARE.elf');
const mcu = new RP2040();
const warnings = [];
const record = (component, message) => warnings.push(`[${component}] ${message}`);
mcu.logger = { debug() {}, info() {}, warn: record, error: record };
// A few of rp2040js's complaints go to the console directly.
console.warn = (...args) => warnings.push(args.join(' '));
console.error = console.warn;

let line = [];
mcu.uart[0].onByte = (byte) => {
  line.push(byte);
  if (byte === 0x0a) {
    process.stdout.write(Buffer.from(line));
    line = [];
  }
};

let status = null;
mcu.onBreak = () => {
  status = mcu.core.registers[0];
};

load(mcu, process.argv[2]);
const { core, clock } = mcu;
core.VTOR = SRAM;
core.reset();
const nanosPerCycle = 1e9 / mcu.clkSys;
while (status === null && warnings.length === 0) {
  if (core.waiting) {
    clock.tick(clock.nanosToNextAlarm);
  } else {
    clock.tick(core.executeInstruction() * nanosPerCycle);
  }
}
process.stdout.write(Buffer.from(line));
if (warnings.length > 0) {
  const where = `pc now 0x${core.PC.toString(16)}, after ${core.cycles} cycles`;
  fail(`rp2040js warned (${where}): ${warnings.join('; ')}`);
}
// An exit status is one byte: a larger r0 must not wrap round to 0.
process.exitCode = status > 255 ? 1 : status;
