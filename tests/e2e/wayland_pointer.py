#!/usr/bin/python3
# Gives a wlroots compositor's seat a pointer: binds the virtual-pointer
# manager and holds one virtual pointer until killed. A headless compositor
# has no input devices, so without it clients get no wl_pointer at all;
# sway's `seat - cursor set/press/release` then moves and clicks it.
# Speaks the Wayland wire format directly (no client library in Python).
import os
import socket
import struct
import sys
import time

DISPLAY, REGISTRY, CALLBACK, MANAGER, POINTER = 1, 2, 3, 4, 5
MANAGER_NAME = b"zwlr_virtual_pointer_manager_v1"


def fail(message):
    print("FAIL:", message, file=sys.stderr, flush=True)
    sys.exit(1)


def wl_string(text):
    data = text + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def request(sock, obj, opcode, payload=b""):
    sock.sendall(struct.pack("<II", obj, (8 + len(payload)) << 16 | opcode) + payload)


def events(sock):
    buffer = b""
    while True:
        chunk = sock.recv(4096)
        if not chunk:
            fail("the compositor closed the connection")
        buffer += chunk
        while len(buffer) >= 8:
            obj, word = struct.unpack_from("<II", buffer)
            size = word >> 16
            if len(buffer) < size:
                break
            yield obj, word & 0xFFFF, buffer[8:size]
            buffer = buffer[size:]


def roundtrip(sock, stream, on_event):
    request(sock, DISPLAY, 0, struct.pack("<I", CALLBACK))  # wl_display.sync
    for obj, opcode, body in stream:
        if obj == DISPLAY and opcode == 0:
            fail("protocol error %d: %s" % struct.unpack_from("<II", body)[1:2] + (body[12:].rstrip(b"\0"),))
        if obj == CALLBACK:
            return
        on_event(obj, opcode, body)


runtime = os.environ["XDG_RUNTIME_DIR"]
path = os.path.join(runtime, os.environ.get("WAYLAND_DISPLAY", "wayland-0"))
sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
sock.connect(path)
stream = events(sock)
request(sock, DISPLAY, 1, struct.pack("<I", REGISTRY))  # wl_display.get_registry

found = {}


def on_global(obj, opcode, body):
    if obj == REGISTRY and opcode == 0:
        name, length = struct.unpack_from("<II", body)
        interface = body[8:8 + length - 1]
        version = struct.unpack_from("<I", body, 8 + length + (-length % 4))[0]
        found[interface] = (name, version)


roundtrip(sock, stream, on_global)
if MANAGER_NAME not in found:
    fail("the compositor offers no virtual pointer")
name, _ = found[MANAGER_NAME]
request(sock, REGISTRY, 0, struct.pack("<I", name) + wl_string(MANAGER_NAME) + struct.pack("<II", 1, MANAGER))
request(sock, MANAGER, 0, struct.pack("<II", 0, POINTER))  # create_virtual_pointer(default seat)
roundtrip(sock, stream, lambda *event: None)
print("virtual pointer ready", flush=True)
while True:
    time.sleep(3600)
