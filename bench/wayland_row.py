# SPDX-License-Identifier: MIT
"""One row of a sway output, read through the compositor's screencopy protocol, and clicks sent through
sway's virtual pointer: the Wayland side of the latency benchmark. Speaks the Wayland wire format itself.

A capture waits for the output's next frame that changed since the last one and comes with the time
that frame was shown (CLOCK_MONOTONIC, the clock of time.monotonic()).
"""

import mmap
import os
import socket
import struct
import time

import e2e

BTN_LEFT = 0x110
COPY_VERSION = 2  # copy_with_damage: a capture waits for a changed frame

message = e2e.wayland_message


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def read_string(body, at):
    """A string argument at offset `at`, and the offset after it."""
    (length,) = struct.unpack_from("<I", body, at)
    return body[at + 4:at + 4 + length - 1].decode(), at + 4 + length + (-length % 4)


class OutputRow:
    """Row y of an output (`rows` rows from y on), width pixels, read through zwlr_screencopy_manager_v1."""

    def __init__(self, socket_path, output_name, width, y, rows=1):
        self.sock = socket.socket(socket.AF_UNIX)
        self.sock.settimeout(e2e.TIMEOUT)
        self.sock.connect(socket_path)
        self.received, self.last_id = b"", 1
        self.width, self.y, self.rows = width, y, rows
        self.buffer = self.memory = None
        registry = self.new_id()
        globals_ = {}
        for _, _, body in self.roundtrip(message(1, 1, struct.pack("<I", registry))):
            name = struct.unpack_from("<I", body)[0]
            interface, at = read_string(body, 4)
            globals_.setdefault(interface, []).append((name, struct.unpack_from("<I", body, at)[0]))

        def bind(name, interface, version):
            new = self.new_id()
            self.sock.sendall(message(registry, 0, struct.pack("<I", name) + string(interface)
                                      + struct.pack("<II", version, new)))
            return new

        manager = globals_.get("zwlr_screencopy_manager_v1", [(0, 0)])[0]
        e2e.expect(manager[1] >= COPY_VERSION, "sway offers no screencopy with damage")
        self.manager = bind(manager[0], "zwlr_screencopy_manager_v1", COPY_VERSION)
        self.shm = bind(globals_["wl_shm"][0][0], "wl_shm", 1)
        # wl_output's name event (version 4) tells the outputs apart.
        outputs = [bind(name, "wl_output", 4) for name, version in globals_["wl_output"] if version >= 4]
        names = {obj: read_string(body, 0)[0] for obj, opcode, body in self.roundtrip()
                 if obj in outputs and opcode == 4}
        self.output = next((obj for obj, name in names.items() if name == output_name), None)
        e2e.expect(self.output, f"no output {output_name} among {sorted(names.values())}")

    def close(self):
        if self.memory is not None:
            self.memory.close()
        self.sock.close()

    def new_id(self):
        self.last_id += 1
        return self.last_id

    def events(self):
        """The next event as (object, opcode, body); a protocol error raises."""
        while True:
            if len(self.received) >= 8:
                obj, word = struct.unpack_from("<II", self.received)
                size = word >> 16
                if len(self.received) >= size:
                    body, self.received = self.received[8:size], self.received[size:]
                    if obj == 1 and word & 0xFFFF == 0:
                        raise e2e.Failure(f"Wayland error: {read_string(body, 8)[0]}")
                    yield obj, word & 0xFFFF, body
                    continue
            self.received += self.sock.recv(65536) or e2e.expect(False, "sway closed the connection")

    def roundtrip(self, request=b""):
        """Sends the request and wl_display.sync; the events up to the sync's done."""
        callback = self.new_id()
        self.sock.sendall(request + message(1, 0, struct.pack("<I", callback)))
        events = []
        for event in self.events():
            if event[0] == callback:
                return events
            events.append(event)

    def capture(self):
        """The next changed frame's time of showing and the row in it as its B, G and R planes."""
        frame = self.new_id()
        self.sock.sendall(message(self.manager, 1, struct.pack("<IiIiiii", frame, 0, self.output, 0,
                                                               self.y, self.width, self.rows)))
        for obj, opcode, body in self.events():
            if obj != frame:
                continue
            if opcode == 0:
                if self.buffer is None:
                    self.make_buffer(*struct.unpack_from("<IIII", body))
                self.sock.sendall(message(frame, 2, struct.pack("<I", self.buffer)))
            elif opcode == 2:
                sec_hi, sec_lo, nsec = struct.unpack_from("<III", body)
                shown = (sec_hi << 32 | sec_lo) + nsec / 1e9
                break
            elif opcode == 3:
                raise e2e.Failure("the screen copy failed")
        self.sock.sendall(message(frame, 1))
        raw = self.memory[:self.width * 4 * self.rows]
        return shown, raw[0::4] + raw[1::4] + raw[2::4]

    def make_buffer(self, format_, width, height, stride):
        e2e.expect((width, height, stride) == (self.width, self.rows, width * 4),
                   f"a copy of {width}x{height} pixels, {stride} bytes a row")
        e2e.expect(format_ in (0, 1), f"pixel format {format_:#x}")  # ARGB8888, XRGB8888
        size = stride * height
        fd = os.memfd_create("zynmon-latency-row")
        try:
            os.ftruncate(fd, size)
            self.memory = mmap.mmap(fd, size)
            pool, self.buffer = self.new_id(), self.new_id()
            socket.send_fds(self.sock, [message(self.shm, 0, struct.pack("<Ii", pool, size))], [fd])
        finally:
            os.close(fd)
        self.sock.sendall(message(pool, 0, struct.pack("<Iiiiii", self.buffer, 0, width, height, stride,
                                                       format_)) + message(pool, 1))


def click(pointer, x, y, extent):
    """A left click at (x, y) of the layout, whose size is extent, through the virtual pointer (object 5
    on the connection e2e.virtual_pointer made); returns the time just before the press was sent."""
    def stamp():
        return int(time.monotonic() * 1000) & 0xFFFFFFFF

    vp = 5
    pointer.sendall(message(vp, 1, struct.pack("<IIIII", stamp(), x, y, *extent)) + message(vp, 4))
    # The button notices the pointer over it before the press.
    time.sleep(0.05)
    pressed = time.monotonic()
    pointer.sendall(message(vp, 2, struct.pack("<III", stamp(), BTN_LEFT, 1)) + message(vp, 4)
                    + message(vp, 2, struct.pack("<III", stamp(), BTN_LEFT, 0)) + message(vp, 4))
    return pressed
