"""A small WebDriver BiDi client for Firefox: it starts `firefox-esr --headless
--remote-debugging-port=0` on a fresh profile and talks to it over one web
socket (Debian's python3-websocket). Enough for the browser tests: navigate,
run functions with elements as arguments and results, pointer and key
actions, screenshots clipped to an element, and the page's log.
"""

import base64
import itertools
import json
import os
import signal
import subprocess
import time

import websocket

# Prefs for a quiet, predictable browser: one device pixel per CSS pixel, no
# first-run pages, updates or reports.
PREFS = {
    'layout.css.devPixelsPerPx': '1.0',
    'browser.shell.checkDefaultBrowser': False,
    'browser.startup.page': 0,
    'browser.startup.homepage_override.mstone': 'ignore',
    'datareporting.policy.dataSubmissionEnabled': False,
    'toolkit.telemetry.reportingpolicy.firstRun': False,
    'app.update.disabledForTesting': True,
    'app.normandy.enabled': False,
    'messaging-system.rsexperimentloader.enabled': False,
}


class BidiError(Exception):
    pass


class Element:
    """A node of the page, known to the browser by its shared id."""

    def __init__(self, shared_id):
        self.shared_id = shared_id

    def __eq__(self, other):
        return isinstance(other, Element) and other.shared_id == self.shared_id

    def __hash__(self):
        return hash(self.shared_id)

    def __repr__(self):
        return '<Element %s>' % self.shared_id


def to_local(value):
    """A Python value as a BiDi local value."""
    if isinstance(value, Element):
        return {'sharedId': value.shared_id}
    if value is None:
        return {'type': 'null'}
    if isinstance(value, bool):
        return {'type': 'boolean', 'value': value}
    if isinstance(value, (int, float)):
        return {'type': 'number', 'value': value}
    if isinstance(value, str):
        return {'type': 'string', 'value': value}
    if isinstance(value, (list, tuple)):
        return {'type': 'array', 'value': [to_local(v) for v in value]}
    if isinstance(value, dict):
        return {'type': 'object', 'value': [[str(k), to_local(v)] for k, v in value.items()]}
    raise TypeError('cannot send %r to the page' % (value,))


SPECIAL_NUMBERS = {'NaN': float('nan'), '-0': -0.0, 'Infinity': float('inf'), '-Infinity': float('-inf')}


def from_remote(value):
    """A BiDi remote value as a Python value: nodes become Elements."""
    kind = value['type']
    if kind in ('undefined', 'null'):
        return None
    if kind == 'number':
        v = value['value']
        return SPECIAL_NUMBERS.get(v, v) if isinstance(v, str) else v
    if kind in ('string', 'boolean'):
        return value['value']
    if kind == 'bigint':
        return int(value['value'])
    if kind in ('array', 'set', 'nodelist', 'htmlcollection'):
        return [from_remote(v) for v in value.get('value', [])]
    if kind in ('object', 'map'):
        return {(k if isinstance(k, str) else from_remote(k)): from_remote(v) for k, v in value.get('value', [])}
    if kind == 'node':
        return Element(value['sharedId'])
    return value


class Firefox:
    """One headless Firefox and its BiDi session on a top-level browsing
    context. `errors` collects the page's script errors and console.error
    calls as "level: text" lines."""

    def __init__(self, workdir, binary='/usr/bin/firefox-esr', width=1200, height=900, timeout=60):
        self.errors = []
        self.ws = None
        self._ids = itertools.count(1)
        self.profile = os.path.join(workdir, 'firefox-profile')
        os.makedirs(self.profile)
        with open(os.path.join(self.profile, 'user.js'), 'w') as f:
            for name, value in PREFS.items():
                f.write('user_pref(%s, %s);\n' % (json.dumps(name), json.dumps(value)))
        self.log_path = os.path.join(workdir, 'firefox.log')
        with open(self.log_path, 'wb') as log:
            self.process = subprocess.Popen(
                [binary, '--headless', '--no-remote', '--remote-debugging-port=0', '--profile', self.profile,
                 'about:blank'], stdout=log, stderr=log, stdin=subprocess.DEVNULL, start_new_session=True)
        try:
            self._connect(timeout)
            self.command('session.new', {'capabilities': {}})
            self.context = self.command('browsingContext.getTree', {'maxDepth': 0})['contexts'][0]['context']
            self.command('browsingContext.setViewport', {
                'context': self.context, 'viewport': {'width': width, 'height': height}, 'devicePixelRatio': 1})
            self.command('session.subscribe', {'events': ['log.entryAdded']})
        except Exception:
            self.quit()
            raise

    def _connect(self, timeout):
        # With port 0 the browser picks a free port and writes it into the profile.
        port_file = os.path.join(self.profile, 'WebDriverBiDiServer.json')
        deadline = time.monotonic() + timeout
        while True:
            if self.process.poll() is not None:
                raise BidiError('firefox exited with %s before listening:\n%s' % (self.process.returncode, self.log_tail()))
            try:
                with open(port_file) as f:
                    server = json.load(f)
                break
            except (OSError, ValueError):
                if time.monotonic() > deadline:
                    raise BidiError('firefox did not listen within %d s:\n%s' % (timeout, self.log_tail()))
                time.sleep(0.1)
        # The browser refuses a handshake that names an origin it was not told of.
        self.ws = websocket.create_connection('ws://%s:%d/session' % (server['ws_host'], server['ws_port']),
                                              timeout=timeout, suppress_origin=True)

    def log_tail(self, lines=30):
        try:
            with open(self.log_path, errors='replace') as f:
                return ''.join(f.readlines()[-lines:])
        except OSError:
            return ''

    def command(self, method, params):
        """Sends one command and returns its result; events that arrive
        meanwhile are handled on the way."""
        ident = next(self._ids)
        self.ws.send(json.dumps({'id': ident, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get('type') == 'event' or ('method' in message and 'id' not in message):
                self._event(message)
            elif message.get('id') == ident:
                if message.get('type') == 'error' or 'error' in message:
                    raise BidiError('%s: %s: %s' % (method, message.get('error'), message.get('message')))
                return message['result']

    def _event(self, message):
        if message['method'] == 'log.entryAdded':
            entry = message['params']
            if entry.get('level') == 'error' or entry.get('type') == 'javascript':
                self.errors.append('%s: %s' % (entry.get('level'), entry.get('text')))

    def sync(self):
        """Delivers the events sent before now: a round trip through the page."""
        self.call('() => 0')

    def navigate(self, url):
        self.command('browsingContext.navigate', {'context': self.context, 'url': url, 'wait': 'complete'})

    def call(self, function, *args):
        """Calls the JavaScript function (its source) with args; awaits a
        returned promise."""
        result = self.command('script.callFunction', {
            'functionDeclaration': function, 'target': {'context': self.context},
            'arguments': [to_local(a) for a in args], 'awaitPromise': True, 'resultOwnership': 'none',
            'serializationOptions': {'maxDomDepth': 0, 'maxObjectDepth': 4}})
        if result['type'] == 'exception':
            details = result['exceptionDetails']
            raise BidiError('script: %s' % details.get('text'))
        return from_remote(result['result'])

    def perform(self, *sources):
        """Performs action sources (lists as in input.performActions)."""
        self.command('input.performActions', {'context': self.context, 'actions': list(sources)})

    def release(self):
        self.command('input.releaseActions', {'context': self.context})

    def screenshot(self, element):
        """A PNG picture of the element's box."""
        data = self.command('browsingContext.captureScreenshot', {
            'context': self.context, 'clip': {'type': 'element', 'element': {'sharedId': element.shared_id}}})['data']
        return base64.b64decode(data)

    def quit(self):
        if self.ws:
            try:
                self.ws.settimeout(10)
                self.command('browser.close', {})
            except Exception:
                pass
            self.ws.close()
            self.ws = None
        if self.process.poll() is None:
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()


# Pointer and key action items.
def pointer(ident, actions, kind='mouse'):
    return {'type': 'pointer', 'id': ident, 'parameters': {'pointerType': kind}, 'actions': actions}


def move_to(element, x=0, y=0):
    """To the centre of the element's first box, offset by (x, y)."""
    return {'type': 'pointerMove', 'x': x, 'y': y, 'origin': {'type': 'element', 'element': {'sharedId': element.shared_id}}}


def move_by(x, y):
    return {'type': 'pointerMove', 'x': x, 'y': y, 'origin': 'pointer'}


def down(button=0):
    return {'type': 'pointerDown', 'button': button}


def up(button=0):
    return {'type': 'pointerUp', 'button': button}


def keys(*values):
    """One key source pressing and releasing each key in turn."""
    actions = []
    for v in values:
        actions += [{'type': 'keyDown', 'value': v}, {'type': 'keyUp', 'value': v}]
    return {'type': 'key', 'id': 'keyboard', 'actions': actions}
