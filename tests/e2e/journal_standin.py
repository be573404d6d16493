"""A stand-in for journald. With a socket path: receives the journal's native protocol there and
prints each datagram's fields as a JSON line (the big entries that come as a memfd are not taken:
the program's are far below a datagram's size). With the printed lines, an activity log and
"MESSAGE_ID:PRIORITY" per entry: checks that each entry but the empty ones came once, in order."""
import json, re, socket, struct, sys


def fields(data):
    found = {}
    while data:
        end = data.index(b"\n")
        key, plain, value = data[:end].partition(b"=")
        if plain:
            data = data[end + 1:]
        else:  # the name, a line break, the length in 64 bits little-endian, the value, a break
            size = struct.unpack_from("<Q", data, end + 1)[0]
            value, data = data[end + 9:end + 9 + size], data[end + 10 + size:]
        found[key.decode()] = value.decode()
    return found


# The file's entries as the journal should have them: the headings before the first event line,
# their lines joined, then each event line with its columns.
def entries(log):
    headings, events = [[]], []
    for line in open(log, newline="").read().split("\r\n"):
        event = re.fullmatch(r"\d\d:\d\d:\d\d, (.{10}), (.{10}), Count: *(\d+)", line)
        if event:
            events.append((line, event[1].rstrip(), event[2].rstrip(), event[3]))
        elif not events:
            headings[-1].append(line) if line else headings.append([])
    return [("; ".join(h), "", "", "0") for h in headings if h] + events


if len(sys.argv) == 2:
    server = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
    server.bind(sys.argv[1])
    while True:
        print(json.dumps(fields(server.recv(1 << 20))), flush=True)
got = [json.loads(line) for line in open(sys.argv[1])]
want = [{"MESSAGE": message, "SYSLOG_IDENTIFIER": "dorvexzede", "MESSAGE_ID": kind[:32],
         "PRIORITY": kind[33:], "DORVEX_EVENT": event, "DORVEX_STATE": state, "DORVEX_COUNT": count}
        for (message, event, state, count), kind in zip(entries(sys.argv[2]), sys.argv[3:])]
sys.exit(got != want or len(want) != len(sys.argv) - 3)
