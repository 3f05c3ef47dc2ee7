"""Mail servers on 127.0.0.1 for the direct-sending tests, until <dir>/stop appears.

smtp:   a real SMTP server (Python's smtpd) that refuses recipients containing "refuse" and
        stores each message it accepts, parsed, as <dir>/mail<n>.txt: subject, a line "---",
        the decoded body text.
close:  accepts a connection and closes it at once.
silent: accepts a connection and never answers.
The ports go to <dir>/ports ("smtp close silent").
"""
import asyncore
import email
import email.policy
import os
import socket
import sys
import threading
import time
import warnings

warnings.simplefilter("ignore")
import smtpd  # noqa: E402

folder = sys.argv[1]


class Channel(smtpd.SMTPChannel):
    def smtp_RCPT(self, arg):
        if arg and "refuse" in arg.lower():
            self.push("550 5.1.1 Mailbox unavailable")
            return
        super().smtp_RCPT(arg)


class Server(smtpd.SMTPServer):
    channel_class = Channel

    def process_message(self, peer, mailfrom, rcpttos, data, **kwargs):
        message = email.message_from_bytes(data, policy=email.policy.default)
        text = "%s\n---\n%s" % (message["subject"], message.get_content())
        count = len([n for n in os.listdir(folder) if n.startswith("mail")])
        path = os.path.join(folder, "mail%d.txt" % count)
        with open(path + ".part", "w", encoding="utf-8", newline="") as f:
            f.write(text)
        os.replace(path + ".part", path)


def listener():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    s.listen(5)
    return s


held = []


def serve(sock, close):
    sock.settimeout(0.2)
    while not os.path.exists(os.path.join(folder, "stop")):
        try:
            conn, _ = sock.accept()
        except socket.timeout:
            continue
        if close:
            conn.close()
        else:
            held.append(conn)


smtp = Server(("127.0.0.1", 0), None, decode_data=False)
closer, silent = listener(), listener()
for sock, close in ((closer, True), (silent, False)):
    threading.Thread(target=serve, args=(sock, close), daemon=True).start()
ports = "%d %d %d" % (smtp.socket.getsockname()[1], closer.getsockname()[1], silent.getsockname()[1])
with open(os.path.join(folder, "ports.part"), "w") as f:
    f.write(ports)
os.replace(os.path.join(folder, "ports.part"), os.path.join(folder, "ports"))

deadline = time.time() + 600
while time.time() < deadline and not os.path.exists(os.path.join(folder, "stop")):
    asyncore.loop(timeout=0.2, count=1)
