#!/usr/bin/env python3
"""Signals and measurements for the Ardour suite (plain python3: numpy is not a dependency).

  compare.py plan PARAMS_TSV ID=VALUE...        plan lines that set parameters in Ardour
  compare.py plan-state PARAMS_TSV STATE        the same for every parameter a state moves off its default
  compare.py fill SESSION_DIR KIND              overwrite the recorded take with a test signal
  compare.py vst3chunk SNAPSHOT CLASS_ID STATE  put a plug-in state into a saved session's VST3 insert
  compare.py lv2preset PLUGIN_URI KEY LABEL STATE BUNDLE   wrap a plug-in state as an LV2 preset
  compare.py rack SESSION_DIR SNAPSHOT EXPECTED WHAT   the inserted effects in the state Ardour saved
  compare.py sound SESSION_DIR SNAPSHOT WHAT KEY=VALUE...   properties and parameters of that state
  compare.py same A B LIMIT WHAT                peak difference of two files, fails above LIMIT
  compare.py grid FILE REFERENCE BPM WHAT       where the shaper's 1/8 cycles start in FILE against REFERENCE
Exit status 1 when a check fails, 2 on bad input.
"""
import array
import glob
import math
import os
import random
import struct
import sys

RATE = 48000


# ---------------------------------------------------------------- WAV files

def _chunks(data):
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError("not a RIFF/WAVE file")
    pos = 12
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        yield cid, pos + 8, size
        pos += 8 + size + (size & 1)


def read_wav(path):
    """Returns (rate, [channel arrays]) of a 32-bit float WAV: Ardour's takes and exports
    (-b float) and the renderer's output are all of that kind."""
    with open(path, "rb") as f:
        data = f.read()
    fmt = payload = None
    for cid, off, size in _chunks(data):
        if cid == b"fmt ":
            fmt = struct.unpack("<HHIIHH", data[off:off + 16])
            if fmt[0] == 0xFFFE:  # extensible: the sub-format GUID starts with the real tag
                fmt = (struct.unpack("<H", data[off + 24:off + 26])[0],) + fmt[1:]
        elif cid == b"data":
            payload = data[off:off + size]
    if fmt is None or payload is None:
        raise ValueError(path + ": no fmt or data chunk")
    tag, channels, rate, _, _, bits = fmt
    if (tag, bits) != (3, 32):
        raise ValueError("%s: not a 32-bit float WAV" % path)
    samples = array.array("f")
    samples.frombytes(payload[:len(payload) // 4 * 4])
    return rate, [samples[c::channels] for c in range(channels)]


def overwrite_mono_float(path, samples):
    """Replaces the sample data of a mono 32-bit float WAV in place, keeping Ardour's header."""
    with open(path, "r+b") as f:
        data = f.read()
        for cid, off, size in _chunks(data):
            if cid == b"fmt ":
                tag, channels, _, _, _, bits = struct.unpack("<HHIIHH", data[off:off + 16])
                if (tag, channels, bits) != (3, 1, 32):
                    raise ValueError(path + ": expected mono float WAV")
            if cid == b"data":
                if size != 4 * len(samples):
                    raise ValueError("%s: holds %d frames, signal has %d" % (path, size // 4, len(samples)))
                f.seek(off)
                f.write(array.array("f", samples).tobytes())
                return
    raise ValueError(path + ": no data chunk")


# ---------------------------------------------------------------- signals

def signal(kind, frames):
    """'tone': constant-level 1 kHz sine (the grid's envelope is then exact over one period).
    'rich': two sines with independent noise per channel, to exercise every stage, after a
    quarter second of silence: the renderer starts its processor cold while a host has run the
    plug-in before the first sample (pre-roll), and the start-up is not what is compared."""
    two_pi = 2.0 * math.pi
    if kind == "tone":
        s = [0.5 * math.sin(two_pi * 1000.0 * n / RATE) for n in range(frames)]
        return [s, list(s)]
    if kind == "rich":
        rng = random.Random(20240611)
        lead = RATE // 4
        left = [0.0] * lead + [0.3 * math.sin(two_pi * 220.0 * n / RATE) + 0.15 * (2.0 * rng.random() - 1.0)
                               for n in range(frames - lead)]
        right = [0.0] * lead + [0.3 * math.sin(two_pi * 330.0 * n / RATE + 0.7) + 0.15 * (2.0 * rng.random() - 1.0)
                                for n in range(frames - lead)]
        return [left, right]
    raise ValueError("unknown signal " + kind)


def write_wav_float(path, channels):
    frames = len(channels[0])
    inter = array.array("f", [0.0] * (frames * len(channels)))
    for c, ch in enumerate(channels):
        inter[c::len(channels)] = array.array("f", ch)
    payload = inter.tobytes()
    nch = len(channels)
    header = b"RIFF" + struct.pack("<I", 4 + 26 + 12 + 8 + len(payload)) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHHH", 18, 3, nch, RATE, RATE * 4 * nch, 4 * nch, 32, 0)
    header += b"fact" + struct.pack("<II", 4, frames)
    header += b"data" + struct.pack("<I", len(payload))
    with open(path, "wb") as f:
        f.write(header + payload)


def cmd_fill(session_dir, kind, out_wav):
    files = sorted(glob.glob(os.path.join(session_dir, "interchange", "*", "audiofiles", "*.wav")))
    left = [f for f in files if "%L" in os.path.basename(f)]
    right = [f for f in files if "%R" in os.path.basename(f)]
    if len(left) != 1 or len(right) != 1:
        raise ValueError("expected one recorded stereo take, found %s" % files)
    _, chans = read_wav(left[0])
    frames = len(chans[0])
    sig = signal(kind, frames)
    overwrite_mono_float(left[0], sig[0])
    overwrite_mono_float(right[0], sig[1])
    # The same signal as a stereo file: the renderer's input.
    write_wav_float(out_wav, sig)
    print("signal: %s, %d frames (%.2f s)" % (kind, frames, frames / RATE))
    return 0


# ---------------------------------------------------------------- plug-in settings and state

def read_params(tsv):
    params = {}
    with open(tsv) as f:
        for line in f:
            cols = line.rstrip("\n").split("\t")
            if len(cols) >= 6:
                params[cols[0]] = {"name": cols[1], "type": cols[2], "range": cols[3], "default": cols[5]}
    return params


def normalized(p, value):
    """Ardour drives VST3 parameters with JUCE's normalized value; these ranges are linear."""
    if p["type"] == "choice":
        return float(value) / (len(p["range"].split("|")) - 1)
    lo, hi = (float(x) for x in p["range"].split(".."))
    return (float(value) - lo) / (hi - lo)


def plan_line(p, value):
    return "set\t%s\t%.9g\t%s" % (p["name"], normalized(p, value), value)


def cmd_plan(tsv, assignments):
    params = read_params(tsv)
    for a in assignments:
        pid, value = a.split("=", 1)
        if pid not in params:
            raise ValueError("unknown parameter " + pid)
        print(plan_line(params[pid], value))
    return 0


def state_xml(blob):
    """The XML inside a JUCE binary state ("VC2!", size, text)."""
    import xml.etree.ElementTree as ET
    if blob[:4] != b"VC2!":
        raise ValueError("not a JUCE binary XML state")
    size = struct.unpack("<I", blob[4:8])[0]
    return ET.fromstring(blob[8:8 + size].rstrip(b"\0"))


def cmd_plan_state(tsv, state):
    """Every parameter the state moves off its default, so Ardour's own parameter values
    agree with the state it is given."""
    params = read_params(tsv)
    for node in state_xml(open(state, "rb").read()).iter("PARAM"):
        pid, value = node.get("id"), float(node.get("value"))
        default = float(params[pid]["default"]) if pid in params else value
        if abs(value - default) > 1e-6 * max(1.0, abs(default)):  # the state keeps float32 values
            print(plan_line(params[pid], "%.9g" % value))
    return 0


def vst3preset_bytes(class_id, comp):
    """The preset container Ardour keeps a VST3 state in: header, component state, chunk list."""
    header_size = 4 + 4 + 32 + 8
    chunk_list = b"List" + struct.pack("<i", 1) + b"Comp" + struct.pack("<qq", header_size, len(comp))
    head = b"VST3" + struct.pack("<i", 1) + class_id.encode("ascii") + struct.pack("<q", header_size + len(comp))
    return head + comp + chunk_list


def cmd_vst3chunk(snapshot, class_id, state):
    """Ardour 7.3 deadlocks loading a VST3 preset into a JUCE plug-in (the controller's
    restartComponent call from setComponentState waits on a lock the preset load holds), so
    the state goes into the saved session, which Ardour restores on its other path."""
    import base64
    import re
    text = open(snapshot, encoding="utf-8").read()
    blob = base64.b64encode(vst3preset_bytes(class_id, open(state, "rb").read())).decode("ascii")
    pattern = re.compile(r'(<Processor [^>]*type="vst3" unique-id="%s"[^>]*>.*?<chunk>)[^<]*(</chunk>)' % re.escape(class_id), re.S)
    text, count = pattern.subn(lambda m: m.group(1) + blob + m.group(2), text)
    if count != 1:
        raise ValueError("%s: expected one LUMIVOX VST3 insert, found %d" % (snapshot, count))
    with open(snapshot, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


JUCE_B64 = ".ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+"


def juce_base64(blob):
    """JUCE's MemoryBlock::toBase64Encoding, the text its LV2 wrapper keeps the state in."""
    v = int.from_bytes(blob, "little")
    return "%d.%s" % (len(blob), "".join(JUCE_B64[(v >> (6 * i)) & 63] for i in range((len(blob) * 8 + 5) // 6)))


def juce_unbase64(text):
    size, chars = text.split(".", 1)
    v = 0
    for i, c in enumerate(chars):
        v |= JUCE_B64.index(c) << (6 * i)
    return v.to_bytes((len(chars) * 6 + 7) // 8, "little")[:int(size)]


def cmd_lv2preset(uri, key, label, state, bundle):
    os.makedirs(bundle, exist_ok=True)
    prefixes = ("@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n\n")
    with open(os.path.join(bundle, "manifest.ttl"), "w") as f:
        f.write(prefixes + "<preset.ttl>\n\ta pset:Preset ;\n\tlv2:appliesTo <%s> ;\n\trdfs:seeAlso <preset.ttl> .\n" % uri)
    with open(os.path.join(bundle, "preset.ttl"), "w") as f:
        f.write(prefixes + "<>\n\ta pset:Preset ;\n\tlv2:appliesTo <%s> ;\n\trdfs:label \"%s\" ;\n"
                "\tstate:state [\n\t\t<%s> \"%s\"\n\t] .\n" % (uri, label, key, juce_base64(open(state, "rb").read())))
    return 0


def saved_state(session_dir, snapshot):
    """The LUMIVOX state as Ardour saved it in a snapshot, VST3 or LV2."""
    import base64
    import re
    import xml.etree.ElementTree as ET
    root = ET.parse(os.path.join(session_dir, snapshot + ".ardour")).getroot()
    for proc in root.iter("Processor"):
        if proc.get("name") != "LUMIVOX":
            continue
        if proc.get("type") == "vst3":
            blob = base64.b64decode(proc.find("vst3").find("chunk").text)
            start = blob.index(b"VC2!")
            return state_xml(blob[start:])
        if proc.get("type") == "lv2":
            ttl = os.path.join(session_dir, "plugins", proc.get("id"), proc.find("lv2").get("state-dir"), "state.ttl")
            m = re.search(r':StateString> "([^"]*)"', open(ttl, encoding="utf-8").read())
            return state_xml(juce_unbase64(m.group(1)))
    raise ValueError("%s: no LUMIVOX insert" % snapshot)


def cmd_rack(session_dir, snapshot, expected, what):
    got = saved_state(session_dir, snapshot).get("insertedFx")
    ok = got == expected
    print("%s %s: Ardour saved the rack [%s], expected [%s]" % ("PASS" if ok else "FAIL", what, got, expected))
    return 0 if ok else 1


def cmd_sound(session_dir, snapshot, what, *expected):
    """Root properties (name=value) and parameters (id=value, compared as numbers) of the
    state Ardour saved."""
    state = saved_state(session_dir, snapshot)
    values = {p.get("id"): p.get("value") for p in state.iter("PARAM")}
    failures = []
    for item in expected:
        key, want = item.split("=", 1)
        got = values.get(key, state.get(key))
        same = got == want if key not in values else (got is not None and abs(float(got) - float(want)) < 1e-4)
        if not same:
            failures.append("%s is %s, expected %s" % (key, got, want))
    print("%s %s: %s" % ("FAIL" if failures else "PASS", what, "; ".join(failures) or ", ".join(expected)))
    return 1 if failures else 0


# ---------------------------------------------------------------- measurements

def peak_diff(a, b, lag=0):
    """Peak |a[n + lag] - b[n]| over all channels."""
    worst = 0.0
    for ca, cb in zip(a, b):
        for n in range(max(0, -lag), min(len(cb), len(ca) - lag)):
            d = abs(ca[n + lag] - cb[n])
            if d > worst:
                worst = d
    return worst


def best_lag(a, b, span=2048, window=1024):
    """The lag of a against b with the least squared difference over a window in the middle."""
    ca, cb = a[0], b[0]
    mid = len(cb) // 2
    seg = cb[mid:mid + window]
    best, best_err = 0, None
    for lag in range(-span, span + 1):
        if mid + lag < 0 or mid + lag + window > len(ca):
            continue
        err = 0.0
        for i, v in enumerate(seg):
            d = ca[mid + lag + i] - v
            err += d * d
        if best_err is None or err < best_err:
            best, best_err = lag, err
    return best


def cmd_same(path_a, path_b, limit, what):
    _, a = read_wav(path_a)
    _, b = read_wav(path_b)
    frames = min(len(a[0]), len(b[0]))
    if len(a) != len(b) or abs(len(a[0]) - len(b[0])) > 1:
        print("FAIL %s: shapes differ (%d ch x %d vs %d ch x %d)" % (what, len(a), len(a[0]), len(b), len(b[0])))
        return 1
    d = peak_diff(a, b)
    ok = d <= limit
    ref_peak = max(max(abs(v) for v in ch[:frames]) for ch in b)
    msg = "%s: peak difference %.3g (limit %.3g, reference peak %.3f)" % (what, d, limit, ref_peak)
    if not ok:
        lag = best_lag(a, b)
        msg += "; best alignment %+d samples, peak difference there %.3g" % (lag, peak_diff(a, b, lag))
    print(("PASS " if ok else "FAIL ") + msg)
    return 0 if ok else 1


def envelope(chans, window):
    """Sliding RMS of the channels' mean power, scaled so a steady sine of amplitude A reads A."""
    n = len(chans[0])
    power = [sum(ch[i] * ch[i] for ch in chans) / len(chans) for i in range(n)]
    out = [0.0] * n
    acc = 0.0
    for i in range(n):
        acc += power[i]
        if i >= window:
            acc -= power[i - window]
        out[i] = math.sqrt(max(acc, 0.0) * 2.0 / window)
    return out


def rising_edges(env, skip):
    """Sample positions where the envelope rises through half its peak, sub-sample interpolated."""
    top = max(env)
    th = 0.5 * top
    edges = []
    for i in range(skip, len(env)):
        if env[i - 1] < th <= env[i]:
            edges.append(i - 1 + (th - env[i - 1]) / (env[i] - env[i - 1]))
    return edges


def cmd_grid(path_file, path_ref, bpm, what, limit=64.0):
    """Pairs each cycle start of the reference with the nearest one in the file (within half a
    cycle) and reports file minus reference, in samples."""
    _, f = read_wav(path_file)
    _, r = read_wav(path_ref)
    cycle = 60.0 / bpm / 2.0 * RATE  # one 1/8 note
    window = RATE // 1000            # one period of the 1 kHz test tone
    skip = 2 * window                # the window filling up at the start is no cycle start
    ef, er = rising_edges(envelope(f, window), skip), rising_edges(envelope(r, window), skip)
    if len(er) < 3:
        print("FAIL %s: the reference shows %d shaper cycles, too few to measure" % (what, len(er)))
        return 1
    spacing = (er[-1] - er[0]) / (len(er) - 1)
    if abs(spacing - cycle) > 2.0:
        print("FAIL %s: reference cycles are %.1f samples apart, a 1/8 note is %.1f" % (what, spacing, cycle))
        return 1
    # Only cycles whose partner cannot fall off either end of the file.
    er = [e for e in er if cycle / 2 <= e <= len(r[0]) - cycle / 2]
    offsets = []
    for e in er:
        near = [x - e for x in ef if abs(x - e) <= cycle / 2]
        if near:
            offsets.append(min(near, key=abs))
    if not offsets:
        print("FAIL %s: no shaper cycle found" % what)
        return 1
    offsets.sort()
    worst = max(offsets, key=abs)
    ok = len(offsets) == len(er) and abs(worst) <= limit
    print("%s %s: cycle start offset %+.1f samples (median; min %+.1f, max %+.1f, %d of %d cycles, "
          "limit %g)" % ("PASS" if ok else "FAIL", what, offsets[len(offsets) // 2], offsets[0], offsets[-1],
                         len(offsets), len(er), limit))
    return 0 if ok else 1


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    cmd, args = argv[1], argv[2:]
    if cmd == "plan":
        return cmd_plan(args[0], args[1:])
    if cmd == "fill":
        return cmd_fill(args[0], args[1], args[2])
    if cmd == "plan-state":
        return cmd_plan_state(*args)
    if cmd == "vst3chunk":
        return cmd_vst3chunk(*args)
    if cmd == "rack":
        return cmd_rack(*args)
    if cmd == "sound":
        return cmd_sound(*args)
    if cmd == "lv2preset":
        return cmd_lv2preset(*args)
    if cmd == "same":
        return cmd_same(args[0], args[1], float(args[2]), args[3])
    if cmd == "grid":
        return cmd_grid(args[0], args[1], float(args[2]), args[3])
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
