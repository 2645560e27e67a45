"""Saved pages in the other engines: Firefox ESR (over WebDriver BiDi, our
client in bidi.py) and WebKitGTK (WebKitWebDriver driving MiniBrowser under a
private Xvfb). In each: the menu's pixels against `vantrel-gen png`, closed
and with a sub menu open; the pointer's Mouse Move and Mouse Click looks; the
keyboard walk; no script errors. One browser session per engine.

Run with /usr/bin/python3; the environment names the built vantrel-gen
(VANTREL_GEN). An engine whose browser is not installed is skipped; one that
is installed but cannot start fails.
"""

import glob
import os
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bidi  # noqa: E402
import pages  # noqa: E402
import pngdiff  # noqa: E402
from pages import STATE_COLOURS, colour, menu_tree, near, params, picture, read_text, save_template, write_text  # noqa: E402

from selenium.webdriver.common.keys import Keys  # noqa: E402

WIDTH, HEIGHT = 1200, 900

# Shared by both DOMs the menu script has built: the sub items of a main item
# are the menu items of the menu element right after it.
MAINS = 'applet [role=menubar] > li > [role=menuitem]'
SUBS_OF = ('const m = arguments[0].parentNode.querySelector(":scope > [role=menu]");'
           'return m && m.getAttribute("role") === "menu" ? Array.from(m.querySelectorAll("[role=menuitem]")) : [];')
# Calls done(true) once the script has built the menu and item images are
# decoded, done(false) after 5 s without a menu.
WAIT_FOR_MENU = (
    'const t0 = Date.now();'
    '(function poll() {'
    '  if (document.querySelector("applet [role=menubar]"))'
    '    Promise.all(Array.from(document.images, i => i.decode().catch(() => null)))'
    '      .then(() => requestAnimationFrame(() => requestAnimationFrame(() => done(true))));'
    '  else if (Date.now() - t0 > 5000) done(false);'
    '  else setTimeout(poll, 10);'
    '})();')
APPLET_BOX = ('const r = document.querySelector("applet").getBoundingClientRect();'
              'return [r.left, r.top, r.width, r.height];')
# The element's box in the applet's own coordinates.
BOX_IN_APPLET = ('const r = arguments[0].getBoundingClientRect(),'
                 ' a = document.querySelector("applet").getBoundingClientRect();'
                 'return [Math.round(r.left - a.left), Math.round(r.top - a.top),'
                 ' Math.round(r.width), Math.round(r.height)];')
# A page script that keeps the page's script errors and console.error calls,
# for engines whose driver does not report them.
ERROR_RECORDER = (
    '<script>window.__pageErrors = [];'
    'addEventListener("error", e => __pageErrors.push("error: " + e.message + " at " + e.filename + ":" + e.lineno));'
    'addEventListener("unhandledrejection", e => __pageErrors.push("rejection: " + e.reason));'
    '{ const log = console.error;'
    '  console.error = function (...a) { __pageErrors.push("error: " + a.join(" ")); return log.apply(this, a); }; }'
    '</script>\r\n')

engines_run = {}  # engine name -> seconds, printed at the end


class Engine:
    """What the cases ask of a browser. A page pixel matches the picture's
    when no channel differs by more than `tolerance`; at least `min_match` of
    the applet's pixels must match."""
    name = ''
    tolerance = 64
    min_match = 0.98
    # Whether a label moved a pixel sideways fails, and how much better a
    # shifted run must fit to count as moved (pngdiff.judge).
    across = True
    moved_ratio = pngdiff.MOVED_RATIO
    least_run = 0
    opens_by_tap = True

    def js(self, body, *args):
        raise NotImplementedError

    def wait_js(self, body):
        """Runs body, which calls done(value) once; returns the value."""
        raise NotImplementedError

    def open(self, page):
        self.navigate(page)
        if not self.wait_js(WAIT_FOR_MENU):
            raise AssertionError('%s: no menubar in %s' % (self.name, page))
        # A centred applet of odd width would lie half a pixel off the grid:
        # keep the page's own position out of the comparison.
        left = self.js(APPLET_BOX)[0]
        if left != int(left):
            self.resize(WIDTH + 1, HEIGHT)
            self.wait_js('requestAnimationFrame(() => requestAnimationFrame(() => done(true)));')
            if self.js(APPLET_BOX)[0] % 1:
                raise AssertionError('%s: the applet stays off the pixel grid' % self.name)

    def mains(self):
        return self.js('return Array.from(document.querySelectorAll("%s"));' % MAINS)

    def subs(self, owner):
        return self.js(SUBS_OF, owner)

    def attr(self, element, name):
        return self.js('return arguments[0].getAttribute(arguments[1]);', element, name)

    def is_active(self, element):
        return self.js('return document.activeElement === arguments[0];', element)

    def shown(self, element):
        return self.js('return arguments[0].getClientRects().length > 0'
                       ' && getComputedStyle(arguments[0]).visibility === "visible";', element)

    def box(self, element):
        return self.js(BOX_IN_APPLET, element)

    def applet_picture(self):
        self.wait_js(pages.AT_REST)
        x, y, w, h = (round(v) for v in self.js(pages.DRAWN_BOX))
        return self.capture(x, y, w, h)


class FirefoxEngine(Engine):
    # Firefox sets each label on the baseline the script computes from the
    # font's metrics, as Chromium does, and is judged as Chromium is: over
    # every template with each of its three looks as the Normal look, closed
    # and with each sub menu open, 0.9990 of an applet's pixels agree at
    # worst (0.9990 in place) and no run of squares fits better shifted by a
    # pixel than in place.
    name = 'Firefox ESR'
    binary = '/usr/bin/firefox-esr'

    def start(self, workdir):
        self.ff = bidi.Firefox(workdir, self.binary, WIDTH, HEIGHT)
        self.width = WIDTH

    def quit(self):
        self.ff.quit()

    def navigate(self, page):
        self.resize(WIDTH, HEIGHT)
        self.ff.release()
        self.ff.sync()  # the last page's messages, to be dropped
        del self.ff.errors[:]
        self.ff.navigate('file://' + page)

    def resize(self, width, height):
        if width != self.width:
            self.ff.command('browsingContext.setViewport', {
                'context': self.ff.context, 'viewport': {'width': width, 'height': height}})
            self.width = width

    def js(self, body, *args):
        return self.ff.call('function () {%s}' % body, *args)

    def wait_js(self, body):
        return self.ff.call('function () { return new Promise(done => {%s}); }' % body)

    def capture(self, x, y, w, h):
        data = self.ff.command('browsingContext.captureScreenshot', {
            'context': self.ff.context, 'clip': {'type': 'box', 'x': x, 'y': y, 'width': w, 'height': h}})['data']
        return pngdiff.read_png(bidi.base64.b64decode(data))

    def hover(self, element):
        self.ff.perform(bidi.pointer('mouse', [bidi.move_to(element)]))

    def press(self, element):
        self.ff.perform(bidi.pointer('mouse', [bidi.move_to(element), bidi.down()]))

    def release_away(self):
        self.ff.perform(bidi.pointer('mouse', [bidi.move_by(0, 400), bidi.up()]))

    def tap(self, element):
        self.ff.perform(bidi.pointer('finger', [bidi.move_to(element), bidi.down(), bidi.up()], 'touch'))

    def keys(self, *values):
        self.ff.perform(bidi.keys(*values))

    def errors(self):
        self.ff.sync()
        return list(self.ff.errors)


class WebKitEngine(Engine):
    # WebKitGTK sets glyphs on whole pixels (and hints them), so the shaded
    # edges of a label's strokes differ from the picture's by more than 64 in
    # places. Measured worst share over every template and sub menu: 0.9673
    # at 64, 0.9794 at 96, 0.9816 at 104, 0.9838 at 112, 0.9876 at 128.
    name = 'WebKitGTK'
    binary = '/usr/bin/WebKitWebDriver'
    tolerance = 112
    # Each glyph set on a whole pixel puts a short centred or right-aligned
    # label a pixel left or right of the picture's fractional place (the
    # shifted fit measured 0.07-0.08 on three labels of the ten templates,
    # a moved label 0.01-0.06): only moves up or down are judged here. Its
    # hinting also reshapes a few serif glyphs in height (fit 0.077 at worst,
    # Liberation Serif 12 px): a run counts as moved under 0.06 (a label,
    # item or sub menu moved up or down fits at 0.00-0.05 in some run).
    across = False
    moved_ratio = 0.06
    # With DejaVu Serif its hinting sets single glyphs of a bold 14 px label
    # a pixel higher than the rest (runs of one or two squares, fit
    # 0.02-0.05, templates 2, 3 and 6): only runs of three squares or more
    # count here (a moved item, border or sub menu spans its whole row).
    least_run = 3 * pngdiff.SQUARE
    # Its driver turns touch actions into mouse events: a sub menu is opened
    # by the pointer, and the item under it left out of the comparison.
    opens_by_tap = False

    def start(self, workdir):
        from selenium import webdriver
        from selenium.webdriver.webkitgtk.options import Options
        from selenium.webdriver.webkitgtk.service import Service
        browsers = sorted(glob.glob('/usr/lib/*/webkit2gtk-4.*/MiniBrowser'))
        if not browsers:
            raise AssertionError('webkit2gtk-driver is installed but no MiniBrowser was found')
        self.xvfb = self.service = self.driver = None
        self.xvfb, display = start_xvfb(os.path.join(workdir, 'xvfb.log'))
        try:
            self.service = Service(self.binary, log_path=os.path.join(workdir, 'webkitwebdriver.log'),
                                   env=dict(os.environ, DISPLAY=display))
            self.service.start()
            options = Options()
            options.binary_location = browsers[-1]
            options.add_argument('--automation')
            self.driver = webdriver.Remote(self.service.service_url, options=options)
            self.driver.set_script_timeout(10)
            self.size = None
            self.resize(WIDTH, HEIGHT)
        except Exception:
            self.quit()
            raise

    def quit(self):
        if self.driver:
            self.driver.quit()
        if self.service:
            self.service.stop()
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()

    def navigate(self, page):
        # The driver has no log of the page: a copy of the page records its
        # errors from before the menu script runs.
        recorded = page[:-4] + '-errors.htm'
        text = read_text(page)
        write_text(recorded, text.replace('<head>', '<head>' + ERROR_RECORDER, 1) if '<head>' in text
                   else ERROR_RECORDER + text)
        self.resize(WIDTH, HEIGHT)
        self.driver.get('file://' + recorded)

    def resize(self, width, height):
        if (width, height) != self.size:
            self.driver.set_window_size(width, height)
            self.size = (width, height)

    def js(self, body, *args):
        return self.driver.execute_script(body, *args)

    def wait_js(self, body):
        return self.driver.execute_async_script('const done = arguments[arguments.length - 1];' + body)

    def capture(self, x, y, w, h):
        return pngdiff.crop(pngdiff.read_png(self.driver.get_screenshot_as_png()), x, y, w, h)

    def actions(self):
        from selenium.webdriver.common.action_chains import ActionChains
        return ActionChains(self.driver)

    def hover(self, element):
        self.actions().move_to_element(element).perform()

    def press(self, element):
        self.actions().move_to_element(element).click_and_hold().perform()

    def release_away(self):
        self.actions().move_by_offset(0, 400).release().perform()

    def tap(self, element):
        raise AssertionError('no touch in %s' % self.name)

    def keys(self, *values):
        self.actions().send_keys(*values).perform()

    def errors(self):
        return self.js('return window.__pageErrors || ["the error recorder did not run"];')


def start_xvfb(log_path):
    """A private X server on a free display; returns (process, ':N')."""
    if not shutil.which('Xvfb'):
        raise AssertionError('WebKitGTK needs an X display: install xvfb')
    read_end, write_end = os.pipe()
    with open(log_path, 'wb') as log:
        process = subprocess.Popen(['Xvfb', '-displayfd', str(write_end), '-screen', '0', '1280x1024x24',
                                    '-nolisten', 'tcp'], pass_fds=(write_end,), stdout=log, stderr=log)
    os.close(write_end)
    number = b''
    while not number.endswith(b'\n'):
        chunk = os.read(read_end, 16)
        if not chunk:
            break
        number += chunk
    os.close(read_end)
    if not number.strip().isdigit():
        process.kill()
        process.wait()
        with open(log_path, errors='replace') as f:
            raise AssertionError('Xvfb did not start:\n' + f.read())
    return process, ':' + number.decode().strip()


def setUpModule():
    if not os.path.isfile(pages.GEN):
        raise unittest.SkipTest('VANTREL_GEN does not name the built vantrel-gen')
    pages.start('engines-test-')
    pages.report_fonts()


def tearDownModule():
    pages.finish()
    for name, seconds in engines_run.items():
        print('%s: %.1f s' % (name, seconds))


page_cache = {}


def template_page(n):
    if n not in page_cache:
        page_cache[n] = save_template(n)
    return page_cache[n]


class EngineCases:
    """The cases, run in one session of the class's engine."""
    engine_class = None

    @classmethod
    def setUpClass(cls):
        cls.started = time.monotonic()
        engine = cls.engine_class()
        if not os.path.exists(engine.binary):
            raise unittest.SkipTest('%s is not installed (%s)' % (engine.name, engine.binary))
        engine.start(pages.folder(engine.name.replace(' ', '-')))
        cls.engine = engine

    @classmethod
    def tearDownClass(cls):
        cls.engine.quit()
        engines_run[cls.engine.name] = time.monotonic() - cls.started

    def assertNoScriptErrors(self):
        self.assertEqual(self.engine.errors(), [])

    def test_pictures(self):
        """Every template closed, and with each sub menu open."""
        e = self.engine
        for n in range(pages.template_count()):
            page = template_page(n)
            owners = pages.sub_menu_owners(page)
            for k in [None] + owners:
                with self.subTest(template=n, open=k):
                    e.open(page)
                    outside = []
                    if k is None:
                        ref = picture(page)
                    else:
                        main = e.mains()[k]
                        if e.opens_by_tap:
                            e.tap(main)
                        else:
                            e.hover(main)
                            outside = [e.box(main)]
                        self.assertEqual(e.attr(main, 'aria-expanded'), 'true')
                        ref = picture(page, '--open', k)
                    pngdiff.check(self, '%s, template %d, open %s' % (e.name, n, k), e.applet_picture(), ref,
                                  e.tolerance, e.min_match, outside, e.across, e.moved_ratio,
                                  e.least_run)
                    self.assertNoScriptErrors()

    def test_phone_width(self):
        """A phone's window: the small-screen form where the menu is wider
        than the window or too small for a finger, as `vantrel-gen png
        --width` draws it, closed and with a section open, and nothing wider
        than the window."""
        e = self.engine
        for n in range(pages.template_count()):
            for phone in (360, 412):
                self.phone_pictures(n, phone)

    def phone_pictures(self, n, phone):
        e = self.engine
        page = template_page(n)
        owners = pages.sub_menu_owners(page)
        with self.subTest(template=n, width=phone):
            e.open(page)
            e.resize(phone, HEIGHT)
            settle = 'requestAnimationFrame(() => requestAnimationFrame(() => done(true)));'
            e.wait_js(settle)
            # Some windows stay wider than asked: the picture is of the
            # width the page has.
            width = e.js('return document.documentElement.clientWidth;')
            if not e.js('return document.querySelector("applet").classList.contains("gb-small");'):
                return  # the menu fits: its pictures are the desktop cases'
            for k in [None] + owners[:1]:
                if k is not None:
                    e.js('document.querySelector("applet .gb-tog").click();'
                         'document.querySelector("applet .gb-bar > li > .gb-disc").click();')
                    e.wait_js(settle)
                extra = ['--width', width] + ([] if k is None else ['--open', k])
                pngdiff.check(self, '%s, template %d, %d px wide, open %s' % (e.name, n, width, k),
                              e.applet_picture(), picture(page, *extra), e.tolerance, e.min_match,
                              across=e.across, moved_ratio=e.moved_ratio, least_run=e.least_run)
                self.assertLessEqual(e.js('return document.documentElement.scrollWidth;'), width)
            self.assertNoScriptErrors()

    def test_pointer_looks(self):
        """Each template of today with a main or sub item hovered or held
        down: the item looks as its picture draws that look."""
        e = self.engine
        for n in pages.todays_templates():
            page = template_page(n)
            tree = pages.menu_tree(pages.params(page))
            owner = next(i for i, item in enumerate(tree) if item[3])
            leaf = next(i for i, item in enumerate(tree) if not item[3])
            for sub in (False, True):
                for state, action in ((2, 'hover'), (3, 'press')):
                    with self.subTest(template=n, sub=sub, action=action):
                        ref = pages.look_picture(page, sub, state, owner)
                        e.open(page)
                        target = e.mains()[leaf]
                        if sub:
                            e.hover(e.mains()[owner])
                            target = e.subs(e.mains()[owner])[1]
                        if action == 'press':
                            e.press(target)
                        else:
                            e.hover(target)
                        try:
                            e.wait_js(pages.AT_REST)
                            x, y, w, h, ax, ay = e.js(pages.ITEM_BOX, target)
                            shot = e.capture(x, y, w, h)
                        finally:
                            if action == 'press':  # let go away from the menu: no click
                                e.release_away()
                        pngdiff.check(self, '%s, template %d, %s %s' % (e.name, n, 'sub' if sub else 'main', action),
                                      shot, pngdiff.crop(ref, ax, ay, w, h), e.tolerance, e.min_match,
                                      across=e.across, moved_ratio=e.moved_ratio, least_run=e.least_run)
                        self.assertNoScriptErrors()

    def test_pointer_states(self):
        """Over an item its Mouse Move look, held down its Mouse Click look;
        a neighbour stays Normal."""
        e = self.engine
        page = pages.states_page() if 'states' not in page_cache else page_cache['states']
        page_cache['states'] = page
        table = [  # (case, sub menu item?, action, expected style of the item)
            ('main hover', False, 'hover', 'MIStyle2'),
            ('main press', False, 'press', 'MIStyle3'),
            ('sub hover', True, 'hover', 'SIStyle2'),
            ('sub press', True, 'press', 'SIStyle3'),
        ]
        for case, in_sub, action, expected in table:
            with self.subTest(case):
                e.open(page)
                target, other, normal = e.mains()[0], e.mains()[2], 'MIStyle1'
                if in_sub:
                    owner = e.mains()[1]
                    e.hover(owner)
                    target, other, normal = e.subs(owner)[1], e.subs(owner)[0], 'SIStyle1'
                if action == 'press':
                    e.press(target)
                else:
                    e.hover(target)
                try:
                    shot = e.applet_picture()
                    for element, style in ((target, expected), (other, normal)):
                        x, y, w, h = e.box(element)
                        got = pngdiff.pixel(shot, x + w - 4, y + h // 2)  # right end: clear of the label
                        self.assertTrue(near(got, colour(STATE_COLOURS[style])), '%s: %r, not %s' % (style, got, STATE_COLOURS[style]))
                finally:
                    if action == 'press':  # let go away from the menu: no click
                        e.release_away()
                self.assertNoScriptErrors()

    def test_keyboard_walk(self):
        """Tab into the menu, arrows along it, into a sub menu and along it,
        Escape back to the main item with the sub menu closed."""
        e = self.engine
        for n in (0, 2):  # a vertical and a horizontal main menu
            with self.subTest(template=n):
                page = template_page(n)
                p = params(page)
                across = p['MMStyle'].split(',')[2] == 'h'
                sub_across = p['SMStyle'].split(',')[2] == 'h'
                nxt, into = (Keys.ARROW_RIGHT, Keys.ARROW_DOWN) if across else (Keys.ARROW_DOWN, Keys.ARROW_RIGHT)
                sub_next = Keys.ARROW_RIGHT if sub_across else Keys.ARROW_DOWN
                self.assertIsNotNone(menu_tree(p)[1][3], 'the walk needs main item 1 to own a sub menu')
                e.open(page)
                items = e.mains()
                e.keys(Keys.TAB)
                self.assertTrue(e.is_active(items[0]))
                e.keys(nxt)
                self.assertTrue(e.is_active(items[1]))
                self.assertEqual(e.attr(items[1], 'aria-expanded'), 'true')
                e.keys(into)
                sub_items = e.subs(items[1])
                self.assertTrue(e.is_active(sub_items[0]))
                e.keys(sub_next)
                self.assertTrue(e.is_active(sub_items[1]))
                e.keys(Keys.ESCAPE)
                self.assertTrue(e.is_active(items[1]))
                self.assertEqual(e.attr(items[1], 'aria-expanded'), 'false')
                self.assertFalse(e.shown(sub_items[0]))
                # Tab leaves the menu for the page's next link (a browser
                # without one may send the focus round to the menu again).
                after = e.js('const a = document.createElement("a"); a.href = "#after"; a.textContent = "after";'
                             'document.body.appendChild(a); return a;')
                e.keys(Keys.TAB)
                self.assertTrue(e.is_active(after))
                self.assertNoScriptErrors()

    def test_script_errors_are_seen(self):
        """The error check itself: a page with a broken script of its own
        reports an error (WebKitGTK hides the message of an error in a file
        page as "Script error."), a saved page reports nothing."""
        e = self.engine
        page = template_page(0)
        broken = os.path.join(os.path.dirname(page), 'broken.htm')
        write_text(broken, read_text(page) + '\r\n<script>noSuchFunction();</script>\r\n')
        for case, path, want_error in (('saved page', page, False), ('broken script', broken, True)):
            with self.subTest(case):
                e.open(path)
                errors = e.errors()
                if want_error:
                    self.assertTrue(any('noSuchFunction' in text or 'Script error.' in text for text in errors), errors)
                else:
                    self.assertEqual(errors, [])


class Firefox(EngineCases, unittest.TestCase):
    engine_class = FirefoxEngine


class WebKitGTK(EngineCases, unittest.TestCase):
    engine_class = WebKitEngine


if __name__ == '__main__':
    unittest.main(verbosity=2)
